#include "engine/RunReport.h"

#include "core/CodePage.h"
#include "core/ZipWriter.h"
#include "engine/RunLog.h"

namespace tarvel {

namespace {
constexpr int kReportPackLevel = 9;
}

void TRunReport::Save(const std::string& suffix, const TStringList& first,
                      const TStringList* second) const {
    std::string text = ListText(first);
    if (second)
        text += ListText(*second);
    TZipWriter writer;
    writer.ZipName = File;
    writer.PackLevel = kReportPackLevel;
    writer.AddFromMemory(RunReportStampNow() + suffix, Utf8ToWin1251(text));
}

} // namespace tarvel
