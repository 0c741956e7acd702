#include "profiles/ProfileEditing.h"

#include "storage/TSettingForm.h"

void SaveProfileValues(const TSettingForm&, const QString&) {}

bool CopyProfile(const TSettingForm&, const QString&, const QString&)
{
    return false;
}

void SaveProfileHalf(TSettingForm&) {}

void SaveProfileCopy(TSettingForm&) {}
