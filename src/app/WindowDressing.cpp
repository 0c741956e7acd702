#include "app/WindowDressing.h"

#include "app/Artwork.h"
#include "app/TMainForm.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <initializer_list>
#include <iterator>

namespace {

void setGlyph(QAbstractButton* button, const char* glyph, int side)
{
    button->setIcon(Artwork::Glyph(QString::fromLatin1(glyph)));
    button->setIconSize(QSize(side, side));
}

// The buttons' texts and glyphs are measured in the font of the machine,
// which may be wider than the one the layout was drawn for: each button of
// a row grows to its text where needed, and the row is laid out again from
// its outer end.
int fittedWidth(const QAbstractButton* button)
{
    return qMax(button->width(), button->sizeHint().width());
}

void fitRowFromLeft(std::initializer_list<QAbstractButton*> row, int left, int gap)
{
    for (QAbstractButton* button : row) {
        button->setGeometry(left, button->y(), fittedWidth(button), button->height());
        left += button->width() + gap;
    }
}

// Returns the left edge of the row.
int fitRowFromRight(std::initializer_list<QAbstractButton*> row, int right, int gap)
{
    for (auto it = std::rbegin(row); it != std::rend(row); ++it) {
        QAbstractButton* button = *it;
        const int width = fittedWidth(button);
        right -= width;
        button->setGeometry(right, button->y(), width, button->height());
        right -= gap;
    }
    return right + gap;
}

void fitCommandButtons(TMainForm& form)
{
    fitRowFromLeft({form.sbtnDelete, form.sbtnClear, form.sbtnUp, form.sbtnDown}, form.sbtnDelete->x(), 2);
    fitRowFromRight({form.SpeedButton1, form.SpeedButton2}, form.SpeedButton2->geometry().right() + 1, 2);

    // Browse and Open keep their right end; Detail stands over Browse, and
    // the profile box and the path box end before them.
    const int left = fitRowFromRight({form.bbtnBrowser, form.bbtnOpen}, form.bbtnOpen->geometry().right() + 1, 8);
    form.bbtnSetting->setGeometry(left, form.bbtnSetting->y(),
                                  qMax(fittedWidth(form.bbtnSetting), form.bbtnBrowser->width()),
                                  form.bbtnSetting->height());
    for (QWidget* box : {static_cast<QWidget*>(form.cmbProfile), static_cast<QWidget*>(form.edtOutputdir)})
        box->resize(left - 8 - box->x(), box->height());
}

// A picture at the very back of a panel, under every other child.
void setBackdrop(QWidget* panel, const QPixmap& picture, const QString& name)
{
    auto* backdrop = new QLabel(panel);
    backdrop->setObjectName(name);
    backdrop->setGeometry(panel->rect());
    backdrop->setPixmap(picture);
    backdrop->lower();
}

} // namespace

void DressMainWindow(TMainForm& form)
{
    setBackdrop(form.panMain, Artwork::MainBackground(form.panMain->size()), QStringLiteral("imgMainBackground"));
    form.imgWelcome->setPixmap(Artwork::WelcomePanel(form.imgWelcome->size()));
    form.imgLogo->setPixmap(Artwork::WelcomeLogo(form.imgLogo->size()));
    form.Image3->setPixmap(Artwork::BottomBackground(form.Image3->size()));
    form.imgPreviewTime->setPixmap(Artwork::PreviewTimeBackground(form.imgPreviewTime->size()));

    setGlyph(form.sbtnDelete, "delete", 16);
    setGlyph(form.sbtnClear, "clear", 16);
    setGlyph(form.sbtnUp, "up", 16);
    setGlyph(form.sbtnDown, "down", 16);
    setGlyph(form.SpeedButton1, "about", 16);
    setGlyph(form.SpeedButton2, "help", 16);
    setGlyph(form.sbtnAddFile, "add-file", 24);
    setGlyph(form.sbtnAddDir, "add-dir", 24);
    setGlyph(form.sbtnOptions, "settings", 24);
    setGlyph(form.sbtnPlay, "play", 18);
    setGlyph(form.sbtnPause, "pause", 18);
    setGlyph(form.sbtnStop, "stop", 18);
    setGlyph(form.bbtnBrowser, "browse", 16);
    setGlyph(form.bbtnOpen, "open", 16);
    fitCommandButtons(form);
}
