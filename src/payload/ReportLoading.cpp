#include "payload/ReportLoading.h"

#include "core/Exceptions.h"
#include "core/StringUtils.h"
#include "db/OracleHelpers.h"
#include "payload/dmSaveLoad.h"
#include "ui/MessagePump.h"
#include "ui/Progress.h"

#include <cstddef>
#include <cstdio>
#include <regex>
#include <vector>

namespace tarvel {

namespace {

const char* const kNotExported = "Звіти не експортовано\r\n";
const char* const kExportedPrefix = "Експортовано ";
const char* const kExportedSuffix = " звіти\r\n";
const char* const kOf = " з ";

const char* const kMainFile = "\\Main.txt";
// Character fields longer than this take their value from a field file.
constexpr int kLongTextSize = 400;

const char* const kNotADate = "'%s' не є датою";
const char* const kNotANumber = "'%s' не є числом";

TVariant DateFromText(const std::string& text) {
    static const std::regex date(
        R"(\s*(\d{1,2})\.(\d{1,2})\.(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*)");
    std::smatch m;
    if (!std::regex_match(text, m, date))
        throw EConvertError(FormatText(kNotADate, {text}));
    char iso[32];
    std::snprintf(iso, sizeof iso, "%s-%02d-%02d %02d:%02d:%02d", m[3].str().c_str(),
                  std::stoi(m[2]), std::stoi(m[1]), m[4].matched ? std::stoi(m[4]) : 0,
                  m[5].matched ? std::stoi(m[5]) : 0, m[6].matched ? std::stoi(m[6]) : 0);
    try {
        return TVariant(IsoToDateTime(iso));
    } catch (const EConvertError&) {
        throw EConvertError(FormatText(kNotADate, {text}));
    }
}

TVariant NumberFromText(const std::string& text, bool whole) {
    std::string number = text;
    for (char& c : number)
        if (c == ',')
            c = '.';
    static const std::regex wholeNumber(R"(\s*[-+]?\d+\s*)");
    static const std::regex fraction(R"(\s*[-+]?(\d+\.?\d*|\.\d+)\s*)");
    if (whole && std::regex_match(number, wholeNumber))
        return TVariant(static_cast<long long>(std::stoll(number)));
    if (!whole && std::regex_match(number, fraction))
        return TVariant(std::stod(number));
    throw EConvertError(FormatText(kNotANumber, {text}));
}

// A field's value for its text in the row file: empty text is null, numbers take '.' or ','
// before the fraction, dates read as dd.mm.yyyy with an optional time H:mm:ss.
TVariant FieldValueOfText(TFieldType type, const std::string& text) {
    if (text.empty())
        return TVariant::Null();
    switch (type) {
    case TFieldType::ftInteger:
        return NumberFromText(text, true);
    case TFieldType::ftFloat:
        return NumberFromText(text, false);
    case TFieldType::ftDateTime:
        return DateFromText(text);
    case TFieldType::ftBlob:
        return TVariant(TBytes{text});
    default:
        return TVariant(text);
    }
}

// Applies the cached changes of the datasets that are open (a closed one holds none).
bool SaveOpenDataSets(const std::vector<TOracleDataSetEx*>& dataSets, bool commit) {
    std::vector<TOracleDataSetEx*> open;
    for (TOracleDataSetEx* dataSet : dataSets)
        if (dataSet->Active())
            open.push_back(dataSet);
    if (!open.empty())
        return SaveDataSets(open, commit, true);
    if (commit)
        dataSets.front()->GetSession()->Commit();
    return true;
}

// One kind of row below a form: the folder prefix, the dataset and its locate key.
struct TRowKind {
    const char* Prefix;
    TOracleDataSetEx TdmSaveLoad::*DataSet;
    const char* KeyField;
};

const TRowKind kFormRows[] = {
    {"\\Reports", &TdmSaveLoad::odsLoadReport, "REPORT_ID"},
    {"\\Variables", &TdmSaveLoad::odsLoadVariables, "VARIABLE_ID"},
    {"\\Pipelines", &TdmSaveLoad::odsLoadPipeline, "REPORT_ID_PIPELINE_ID"},
    {"\\Links", &TdmSaveLoad::odsLoadLinks, "RMFOLDER_RMDFM_ID"},
    {"\\Query-Variables", &TdmSaveLoad::odsLoadQueryVariable, "DFM_REPORT_VARIABLES_ID"},
};

} // namespace

TReportLoading::TReportLoading(const std::string& archive, TOracleSession& session)
    : Archive(archive), Session(session) {}

void TReportLoading::LoadRowFromFolder(TOracleDataSetEx& dataSet, const std::string& rowFolder,
                                       const std::string& keyField, const std::string& keyValue) {
    const TRowValues row(Archive.Text(rowFolder + kMainFile));
    if (row.Empty())
        return;
    if (!dataSet.Active())
        dataSet.Open();
    if (dataSet.Locate(keyField, TVariant(AsciiUpperCase(keyValue))))
        dataSet.Edit();
    else
        dataSet.Insert();
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TField& field = dataSet.FieldAt(i);
        const std::string fieldFile = rowFolder + "\\" + AsciiUpperCase(field.FieldName()) + ".txt";
        if (field.DataType() == TFieldType::ftMemo) {
            const std::string text = Archive.Text(fieldFile);
            if (!text.empty())
                field.SetValue(TVariant(text));
        } else if (field.DataType() == TFieldType::ftBlob) {
            std::string bytes = Archive.Bytes(fieldFile);
            if (!bytes.empty())
                field.SetValue(TVariant(TBytes{std::move(bytes)}));
        } else if (field.DataType() == TFieldType::ftString && field.Size() > kLongTextSize) {
            field.SetValue(FieldValueOfText(field.DataType(), Archive.TextLines(fieldFile)));
        } else {
            field.SetValue(FieldValueOfText(field.DataType(), row.Value(field.FieldName())));
        }
    }
    dataSet.Post();
}

bool TReportLoading::LoadReports(TStringList& log) {
    const std::vector<std::string> folders = Archive.FolderList();
    const std::vector<std::string> forms = Archive.FormList();
    TdmSaveLoad data(Session);

    for (const std::string& form : forms) {
        for (const std::string& folder : folders) {
            const std::string menu = ChildFolderName(form + "\\Menu", folder);
            if (!menu.empty())
                LoadRowFromFolder(data.odsLoadMenu, AsciiLowerCase(form + "\\Menu\\" + menu),
                                  "MENU_ID", menu);
            const std::string subFolder = ChildFolderName(form + "\\Folder", folder);
            if (!subFolder.empty())
                LoadRowFromFolder(data.odsLoadFolder,
                                  AsciiLowerCase(form + "\\Folder\\" + subFolder), "FOLDER_ID",
                                  subFolder);
        }
    }
    bool failed = !SaveOpenDataSets({&data.odsLoadMenu, &data.odsLoadFolder}, true);

    const int formCount = static_cast<int>(forms.size());
    SetWindowProgress(0, formCount, 0, pcDetail);
    bool cancelled = false;
    int exported = 0;
    for (int n = 1; n <= formCount; ++n) {
        const std::string& form = forms[n - 1];
        if (IsWindowCancelled()) {
            cancelled = true;
            break;
        }
        data.oqryDelOldReport.SetVariable("i_dfm_id", TVariant(form));
        data.oqryDelOldReport.Execute();

        TOracleDataSetEx* const formSets[] = {&data.odsLoadDFM,       &data.odsLoadReport,
                                              &data.odsLoadPipeline,  &data.odsLoadQueryVariable,
                                              &data.odsLoadVariables, &data.odsLoadReportAccess,
                                              &data.odsLoadLinks};
        for (TOracleDataSetEx* dataSet : formSets) {
            dataSet->Close();
            if (dataSet != &data.odsLoadVariables)
                dataSet->SetVariable("dfm_id", TVariant(form));
        }
        LoadRowFromFolder(data.odsLoadDFM, form, "DFM_ID", form);
        for (const std::string& folder : folders) {
            for (const TRowKind& kind : kFormRows) {
                const std::string name = ChildFolderName(form + kind.Prefix, folder);
                if (!name.empty())
                    LoadRowFromFolder(data.*kind.DataSet,
                                      AsciiLowerCase(form + kind.Prefix + "\\" + name),
                                      kind.KeyField, name);
            }
            if (!data.odsLoadReportAccess.Active())
                data.odsLoadReportAccess.Open();
            const std::string access = ChildFolderName(form + "\\Access", folder);
            if (data.odsLoadReportAccess.IsEmpty() && !access.empty())
                LoadRowFromFolder(data.odsLoadReportAccess,
                                  AsciiLowerCase(form + "\\Access\\" + access), "DFM_ID", access);
        }
        // A form that cannot be applied has had the whole session rolled back.
        if (!SaveOpenDataSets({&data.odsLoadDFM, &data.odsLoadReport, &data.odsLoadPipeline,
                               &data.odsLoadVariables, &data.odsLoadQueryVariable,
                               &data.odsLoadReportAccess, &data.odsLoadLinks},
                              false))
            failed = true;
        data.oqryAfterLoadReport.Execute();
        ++exported;

        data.odsLoadDFM.Open();
        std::string title;
        if (data.odsLoadDFM.Locate("DFM_ID", TVariant(AsciiUpperCase(form))))
            title = data.odsLoadDFM.FieldByName("SHORT_TITLE").AsString();
        SetWindowProgressText(std::to_string(n) + kOf + std::to_string(formCount) + ": " + title, n,
                              pcDetail);
        ProcessMessages();
        data.odsLoadDFM.Close();
    }
    cancelled = cancelled || IsWindowCancelled();

    if (cancelled || failed) {
        log.push_back(kNotExported);
        return true;
    }
    log.push_back(kExportedPrefix + std::to_string(exported) + kExportedSuffix);
    return false;
}

} // namespace tarvel
