#pragma once

#include <string>
#include <vector>

namespace tarvel {

// Every statement the program composes itself, in the words of one engine.
struct TDialect {
    // Text every error message of the engine starts with ("ORA-", "ERROR:").
    std::string ErrorMarker;
    // Run after each logon; an error fails the logon.
    std::vector<std::string> AfterLogon;
    // Seeds the server's random generator from the integer variable Seed; errors are ignored.
    std::string SeedBlock;
    // Counts the sessions of :user_name in the column US.
    std::string OtherSessions;
    // Run first when not empty, so that the count sees sessions opened since the transaction
    // began.
    std::string RefreshSessionList;
    // Reads one dict_setting value into "result" from :setting_name.
    std::string ReadSetting;
    // True: the text binds :result and :setting_name by position and traps its own errors;
    // false: it binds :setting_name alone and returns "result" as a column.
    bool ReadSettingBindsResult = true;
    // Format with the version key and the setting id.
    std::string RecordVersion;
    // Lines of the table-list query; :schema is bound, :where_clause is substituted.
    std::vector<std::string> TableList;
    std::string TableListWithRows;    // WHERE_CLAUSE before a run
    std::string TableListWithoutRows; // WHERE_CLAUSE after a run
    // Format with table, field and key condition; the value is bound as :blob_field.
    std::string BlobRecord;
    std::string ReportDeleteForm; // binds :i_dfm_id
    std::string ReportAfterLoad;  // clears empty BLOBs
    std::string ProgramVersion;   // Verifier: "result" = the program version without dots
    // Error code of a logon refused while the server is starting or stopping.
    int ServerStartingCode = 0;

    // A report-store procedure call with named arguments ("i_x => :x, ...").
    std::string (*ReportStoreCall)(const std::string& procedure,
                                   const std::string& arguments) = nullptr;
};

const TDialect& OracleDialect();
const TDialect& PostgresDialect();

} // namespace tarvel
