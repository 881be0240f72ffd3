#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarvel {

// One ":name" placeholder in a statement text.
struct TVariableRef {
    std::size_t Pos = 0;    // of the colon
    std::size_t Length = 0; // colon included
    std::string Name;       // upper-cased, without the colon
};

// A quoted string, quoted name or comment starting at a position of a statement text.
struct TSqlSegment {
    enum TKind { None, Quoted, Comment };
    std::size_t End = 0; // just past the segment; the start itself when Kind is None
    TKind Kind = None;
};
// Quoting rules of both engines: '…' (doubled quotes), E'…' (backslash escapes), q'[…]',
// "…", -- comments, nested /* */ comments, $$…$$ and $tag$…$tag$.
TSqlSegment SkipSqlSegment(const std::string& sql, std::size_t pos);

// The placeholders of a statement: ":name" outside the segments above, "::" casts and ":="
// assignments.
std::vector<TVariableRef> FindVariableRefs(const std::string& sql);

// The distinct variable names of a statement in order of first appearance, upper-cased.
std::vector<std::string> FindVariables(const std::string& sql);

} // namespace tarvel
