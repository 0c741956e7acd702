// The comma-terminated lists of the profiles: joining the items, each
// followed by ",", gives back the text up to and including its last comma.

#include "FuzzCheck.h"
#include "profiles/ProfileCatalogue.h"

namespace {

void check(const QString& text)
{
    const QStringList items = SplitList(text);
    QString joined;
    for (const QString& item : items)
        joined += item + u',';
    const qsizetype last = text.lastIndexOf(u',');
    FUZZ_CHECK(joined == text.left(last + 1), "items do not rebuild the list: " + text);
    FUZZ_CHECK(items.size() == text.count(u','), "not one item per comma: " + text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    check(QString::fromUtf8(FuzzBytes(data, size)));
    check(FuzzUtf16(data, size));
    return 0;
}
