#pragma once

#include <QString>

class TMainForm;

// The product's identity texts, filled once at start-up.
struct ProgramInfo {
    QString ProductName;
    QString CompanyName;
    QString WebSite;
    QString MoreProductsPage;
    QString RelatedProductName1;
    QString RelatedProductName2;
    QString RelatedProductName3;
    QString RelatedProductPage1;
    QString RelatedProductPage2;
    QString RelatedProductPage3;
    QString CopyrightYear;
    QString HelpFileName;
};

const ProgramInfo& TheProgramInfo();

// Applies the record to the application and the main window: help file,
// application title, caption with the version, and the welcome label.
void SetUpProgramInformation(TMainForm& form);

// The product name without its first word (the whole name when it has no blank).
QString WithoutFirstWord(const QString& name);
