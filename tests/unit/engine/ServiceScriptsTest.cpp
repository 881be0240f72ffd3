#include "engine/ServiceScripts.h"

#include "core/Exceptions.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

const TStringTable kTable = {
    {1, "3"},
    {2, "850_move_index.sql##do $$ begin null; end $$;"},
    {3, "analyze"},
    {4, "990_late.sql##select 1"},
};

TEST(ServiceScripts, SplitsNameAndBlockAtTheFirstMarker) {
    EXPECT_EQ(ServiceScriptCount(kTable), 3);
    EXPECT_EQ(ServiceScriptAt(kTable, 2).Name, "850_move_index.sql");
    EXPECT_EQ(ServiceScriptAt(kTable, 2).Block, "do $$ begin null; end $$;");
    EXPECT_EQ(ServiceScriptAt(kTable, 3).Name, "");
    EXPECT_EQ(ServiceScriptAt(kTable, 3).Block, "analyze");
    EXPECT_EQ(ServiceScriptAt(TStringTable{{2, "a##b##c"}}, 2).Block, "b##c");
}

TEST(ServiceScripts, NamesMatchCaseSensitivelyWithinTheCount) {
    EXPECT_TRUE(IsServiceScript(kTable, "850_move_index.sql"));
    EXPECT_FALSE(IsServiceScript(kTable, "850_MOVE_INDEX.SQL"));
    EXPECT_FALSE(IsServiceScript(kTable, "990_late.sql")); // beyond the count
}

TEST(ServiceScripts, CountMustBeANumber) {
    EXPECT_THROW(ServiceScriptCount(TStringTable{{1, "seven"}}), EConvertError);
    EXPECT_THROW(ServiceScriptCount(TStringTable{}), EConvertError);
}

} // namespace
} // namespace tarvel
