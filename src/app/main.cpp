#include "app/TMainForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    TMainForm mainForm(QApplication::applicationFilePath(), arguments);
    mainForm.show();
    return app.exec();
}
