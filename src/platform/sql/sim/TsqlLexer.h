#pragma once

#include <string>
#include <string_view>
#include <vector>

// Tokens and statements of a T-SQL batch, as the simulator reads them.
namespace tarnwick::sql::sim {

enum class TTokenKind {
    Word,   // keyword or plain name
    Name,   // [bracketed] or "double-quoted" name; Value holds the name
    String, // '...' or N'...'; Value holds the text
    Number,
    Binary,   // 0x...; Value holds the hex digits
    Marker,   // ? parameter
    Variable, // @name or @@name
    Symbol    // operators and punctuation, one or two characters
};

struct TToken {
    TTokenKind Kind = TTokenKind::Symbol;
    std::string Text;  // as written
    std::string Value; // unquoted content for names, strings and binaries; upper case for words
    std::size_t Offset = 0;
    bool LineStart = false; // first token on its line
};

// Comments are dropped. An unterminated quote raises EOleException with the server's text.
std::vector<TToken> Tokenize(std::string_view batch);

// The statements of a batch: T-SQL lets statements follow each other without ";" (a
// statement keyword at the outer level starts the next one); ";" also ends one.
struct TStatement {
    std::vector<TToken> Tokens;
    std::string Text; // the statement as written in the batch
};
std::vector<TStatement> SplitStatements(std::string_view batch, const std::vector<TToken>& tokens);

bool IsWord(const TToken& token, std::string_view upperWord);
// A word that starts a statement of its own (SELECT, USE, PRINT, ...).
bool IsStatementKeyword(const TToken& token);

} // namespace tarnwick::sql::sim
