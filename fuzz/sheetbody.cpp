#include "fuzzbodies.h"

#include "fuzzcheck.h"

#include "core/chippage.h"
#include "render/chippages.h"
#include "render/imagefile.h"

#include <QByteArray>

void FuzzSheetInput(const uint8_t* data, size_t size)
{
    CChipPage page;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                     static_cast<qsizetype>(size));
    if (!DecodeImage(page.Image, bytes)) {
        FUZZ_CHECK(page.Image.IsNull(), "a failed decode left a picture");
        return;
    }
    FUZZ_CHECK(!page.Image.IsNull(), "a successful decode gave no picture");
    // What loading a sheet does next: cut it into chips and prepare it for drawing. Its cost is
    // linear in the pixels; a few bytes may declare a legitimately large sheet, whose preparing
    // takes longer under the sanitizers than the fuzzer's one second per input.
    constexpr long long kPreparedPixelsPerInput = 4LL << 20;
    if (static_cast<long long>(page.Image.GetWidth()) * page.Image.GetHeight() >
        kPreparedPixelsPerInput)
        return;
    int chipWidth = 16;
    int chipHeight = 16;
    if (CutChipPage(page, chipWidth, chipHeight)) {
        FUZZ_CHECK(page.Columns >= 1 && page.Rows >= 0, "chip grid of the sheet");
        for (int chip = 0; chip < page.ChipCount(); ++chip)
            FUZZ_CHECK(!ChipSourceRect(page, chip).isEmpty(), "a chip without pixels");
    }
}
