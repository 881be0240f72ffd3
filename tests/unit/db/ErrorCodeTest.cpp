#include "db/OracleHelpers.h"
#include "db/postgres/PgErrors.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(ErrorCodeTest, ReadsTheEngineNumberOfEveryKindOfError) {
    struct TCase {
        std::exception_ptr Error;
        bool Found;
        int Code;
    };
    const std::vector<TCase> cases = {
        {std::make_exception_ptr(TOracleErrorEx("anything", 20001)), true, 20001},
        {std::make_exception_ptr(EOracleError("ORA-01033: ORACLE initialization", 1033)), true,
         1033},
        {std::make_exception_ptr(Exception("ORA-00942: table or view does not exist")), true, 942},
        {std::make_exception_ptr(Exception("ERROR:  text\nSQLSTATE: 57P03")), true,
         SqlStateCode("57P03")},
        {std::make_exception_ptr(Exception("ORA-x: not a number")), false, 0},
        {std::make_exception_ptr(std::runtime_error("plain")), false, 0},
    };
    for (const auto& c : cases) {
        try {
            std::rethrow_exception(c.Error);
        } catch (const std::exception& e) {
            int code = -1;
            EXPECT_EQ(GetOraErrorCode(e, code), c.Found) << e.what();
            EXPECT_EQ(code, c.Code) << e.what();
        }
    }
}

TEST(ErrorCodeTest, BindTypesFollowTheValue) {
    EXPECT_EQ(OraVarTypeOf(TVariant(5)), otInteger);
    EXPECT_EQ(OraVarTypeOf(TVariant(5.5)), otFloat);
    EXPECT_EQ(OraVarTypeOf(TVariant(TDateTime{40000})), otDate);
    EXPECT_EQ(OraVarTypeOf(TVariant(TSubstitution{"1 = 1"})), otSubst);
    EXPECT_EQ(OraVarTypeOf(TVariant("text")), otString);
    EXPECT_EQ(OraVarTypeOf(TVariant::Null()), otString);
}

} // namespace
} // namespace tarvel
