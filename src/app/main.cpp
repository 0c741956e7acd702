#include "app/Artwork.h"
#include "app/Skin.h"
#include "app/TMainForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ApplySkin(app);
    app.setWindowIcon(Artwork::AppIcon());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    TMainForm mainForm(QApplication::applicationFilePath(), arguments);
    mainForm.show();
    return app.exec();
}
