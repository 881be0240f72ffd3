#include "payload/ReportLoading.h"

#include "core/Exceptions.h"
#include "core/StringUtils.h"
#include "payload/dmSaveLoad.h"
#include "ui/MessagePump.h"
#include "ui/Progress.h"

#include <cstddef>

namespace tarvel {

namespace {

const char* const kNotExported = "Звіти не експортовано\r\n";
const char* const kExportedPrefix = "Експортовано ";
const char* const kExportedSuffix = " звіти\r\n";
const char* const kOf = " з ";

const char* const kMainFile = "\\Main.txt";
// Character fields longer than this take their value from a field file.
constexpr int kLongTextSize = 400;

std::string AsciiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// One kind of row below a form: the folder prefix, the dataset and its locate key.
struct TRowKind {
    const char* Prefix;
    TReportRows TdmSaveLoad::*DataSet;
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

void TReportLoading::LoadRowFromFolder(TReportRows& dataSet, const std::string& rowFolder,
                                       const std::string& keyField, const std::string& keyValue) {
    const TRowValues row(Archive.Text(rowFolder + kMainFile));
    if (row.Empty())
        return;
    if (!dataSet.Active())
        dataSet.Open();
    if (dataSet.Locate(keyField, AsciiUpperCase(keyValue)))
        dataSet.Edit();
    else
        dataSet.Insert();
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        const TDbColumn& field = dataSet.Field(i);
        const std::string fieldFile = rowFolder + "\\" + AsciiUpperCase(field.Name) + ".txt";
        if (field.Type == TFieldType::ftMemo) {
            const std::string text = Archive.Text(fieldFile);
            if (!text.empty())
                dataSet.SetValue(field.Name, TVariant(text));
        } else if (field.Type == TFieldType::ftBlob) {
            std::string bytes = Archive.Bytes(fieldFile);
            if (!bytes.empty())
                dataSet.SetValue(field.Name, TVariant(TBytes{std::move(bytes)}));
        } else if (field.Type == TFieldType::ftString && field.Size > kLongTextSize) {
            dataSet.SetText(field.Name, Archive.TextLines(fieldFile));
        } else {
            dataSet.SetText(field.Name, row.Value(field.Name));
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
    bool failed = !SaveReportRows({&data.odsLoadMenu, &data.odsLoadFolder}, true, true);

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

        TReportRows* const formSets[] = {&data.odsLoadDFM,       &data.odsLoadReport,
                                         &data.odsLoadPipeline,  &data.odsLoadQueryVariable,
                                         &data.odsLoadVariables, &data.odsLoadReportAccess,
                                         &data.odsLoadLinks};
        for (TReportRows* dataSet : formSets) {
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
        if (!SaveReportRows({&data.odsLoadDFM, &data.odsLoadReport, &data.odsLoadPipeline,
                             &data.odsLoadVariables, &data.odsLoadQueryVariable,
                             &data.odsLoadReportAccess, &data.odsLoadLinks},
                            false, true))
            failed = true;
        data.oqryAfterLoadReport.Execute();
        ++exported;

        data.odsLoadDFM.Open();
        std::string title;
        if (data.odsLoadDFM.Locate("DFM_ID", AsciiUpperCase(form)))
            title = data.odsLoadDFM.Value("SHORT_TITLE").AsString();
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
