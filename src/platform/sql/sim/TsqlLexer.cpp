#include "platform/sql/sim/TsqlLexer.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/sim/SimErrors.h"

#include <cctype>

namespace tarnwick::sql::sim {

namespace {

bool IsWordStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '#' || (c & 0x80);
}
bool IsWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '#' || c == '$' || (c & 0x80);
}

std::size_t ReadQuoted(std::string_view text, std::size_t pos, char close, std::string& value)
{
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == close) {
            if (pos + 1 < text.size() && text[pos + 1] == close) {
                value += close;
                pos += 2;
                continue;
            }
            return pos + 1;
        }
        value += text[pos++];
    }
    throw EOleException(UnclosedQuoteText(value));
}

const char* StatementKeywords[] = {"SELECT",  "INSERT",   "UPDATE", "DELETE",  "USE",      "PRINT",
                                   "ALTER",   "SET",      "EXEC",   "EXECUTE", "RESTORE",  "BACKUP",
                                   "CREATE",  "DROP",     "BEGIN",  "COMMIT",  "ROLLBACK", "RECONFIGURE",
                                   "DECLARE", "TRUNCATE", "SAVE"};

} // namespace

bool IsStatementKeyword(const TToken& token)
{
    if (token.Kind != TTokenKind::Word) return false;
    for (const char* keyword : StatementKeywords)
        if (token.Value == keyword) return true;
    return false;
}

bool IsWord(const TToken& token, std::string_view upperWord)
{
    return token.Kind == TTokenKind::Word && token.Value == upperWord;
}

std::vector<TToken> Tokenize(std::string_view text)
{
    std::vector<TToken> tokens;
    std::size_t pos = 0;
    bool lineStart = true;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '\n' || c == '\r') {
            lineStart = true;
            ++pos;
            continue;
        }
        if (IsBlank(c)) {
            ++pos;
            continue;
        }
        if (text.substr(pos, 2) == "--") {
            while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') ++pos;
            continue;
        }
        if (text.substr(pos, 2) == "/*") {
            const std::size_t end = text.find("*/", pos + 2);
            if (end == std::string_view::npos) throw EOleException("Missing end comment mark '*/'.");
            pos = end + 2;
            continue;
        }
        TToken token;
        token.Offset = pos;
        token.LineStart = lineStart;
        lineStart = false;
        if (c == '\'' || ((c == 'N' || c == 'n') && pos + 1 < text.size() && text[pos + 1] == '\'')) {
            token.Kind = TTokenKind::String;
            pos = ReadQuoted(text, c == '\'' ? pos : pos + 1, '\'', token.Value);
        } else if (c == '[') {
            token.Kind = TTokenKind::Name;
            pos = ReadQuoted(text, pos, ']', token.Value);
        } else if (c == '"') {
            token.Kind = TTokenKind::Name;
            pos = ReadQuoted(text, pos, '"', token.Value);
        } else if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
            token.Kind = TTokenKind::Binary;
            pos += 2;
            while (pos < text.size() && std::isxdigit(static_cast<unsigned char>(text[pos])))
                token.Value += text[pos++];
        } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                   (c == '.' && pos + 1 < text.size() &&
                    std::isdigit(static_cast<unsigned char>(text[pos + 1])))) {
            token.Kind = TTokenKind::Number;
            while (pos < text.size() &&
                   (std::isdigit(static_cast<unsigned char>(text[pos])) || text[pos] == '.' ||
                    ((text[pos] == 'e' || text[pos] == 'E') && pos + 1 < text.size() &&
                     (std::isdigit(static_cast<unsigned char>(text[pos + 1])) || text[pos + 1] == '-' ||
                      text[pos + 1] == '+')))) {
                if (text[pos] == 'e' || text[pos] == 'E') ++pos;
                ++pos;
            }
        } else if (c == '@') {
            token.Kind = TTokenKind::Variable;
            ++pos;
            if (pos < text.size() && text[pos] == '@') ++pos;
            while (pos < text.size() && IsWordChar(text[pos])) ++pos;
            token.Value = UpperCase(text.substr(token.Offset, pos - token.Offset));
        } else if (IsWordStart(c)) {
            token.Kind = TTokenKind::Word;
            while (pos < text.size() && IsWordChar(text[pos])) ++pos;
            token.Value = UpperCase(text.substr(token.Offset, pos - token.Offset));
        } else if (c == '?') {
            token.Kind = TTokenKind::Marker;
            ++pos;
        } else {
            token.Kind = TTokenKind::Symbol;
            const std::string_view two = text.substr(pos, 2);
            pos += (two == "<>" || two == "<=" || two == ">=" || two == "!=" || two == "!<" || two == "!>")
                       ? 2
                       : 1;
            token.Value = std::string(text.substr(token.Offset, pos - token.Offset));
        }
        token.Text = std::string(text.substr(token.Offset, pos - token.Offset));
        if (token.Kind == TTokenKind::Number) token.Value = token.Text;
        tokens.push_back(std::move(token));
    }
    return tokens;
}

namespace {

// Whether a statement keyword continues the statement under way rather than starting one.
bool Continues(const std::vector<TToken>& current, const TToken& keyword, int depth)
{
    if (current.empty()) return false;
    if (depth > 0) return true;
    const TToken& first = current.front();
    const TToken& previous = current.back();
    if (keyword.Value == "SELECT") {
        if (IsWord(previous, "UNION") || IsWord(previous, "ALL") || IsWord(previous, "EXCEPT") ||
            IsWord(previous, "INTERSECT") || (previous.Kind == TTokenKind::Symbol && previous.Value == "("))
            return true;
        if (IsWord(first, "INSERT")) {
            for (const auto& token : current)
                if (IsWord(token, "VALUES") || IsWord(token, "SELECT")) return false;
            return true;
        }
        return false;
    }
    if (keyword.Value == "SET") {
        if (IsWord(first, "UPDATE") || IsWord(first, "ALTER")) {
            for (const auto& token : current)
                if (IsWord(token, "SET")) return false;
            return true;
        }
        return false;
    }
    if (keyword.Value == "DELETE" || keyword.Value == "UPDATE" || keyword.Value == "INSERT")
        return IsWord(previous, "ON") || IsWord(first, "CREATE");
    if (keyword.Value == "EXEC" || keyword.Value == "EXECUTE") return IsWord(first, "INSERT");
    if (keyword.Value == "USE" || keyword.Value == "PRINT" || keyword.Value == "BEGIN") return false;
    if (keyword.Value == "COMMIT" || keyword.Value == "ROLLBACK" || keyword.Value == "SAVE") return false;
    return IsWord(previous, "WITH") && keyword.Value == "RECONFIGURE";
}

} // namespace

std::vector<TStatement> SplitStatements(std::string_view batch, const std::vector<TToken>& tokens)
{
    std::vector<TStatement> statements;
    TStatement current;
    int depth = 0;
    auto finish = [&](std::size_t endOffset) {
        if (current.Tokens.empty()) return;
        const std::size_t start = current.Tokens.front().Offset;
        current.Text = TrimRight(batch.substr(start, endOffset - start));
        statements.push_back(std::move(current));
        current = {};
        depth = 0;
    };
    for (const auto& token : tokens) {
        if (token.Kind == TTokenKind::Symbol && token.Value == ";") {
            finish(token.Offset);
            continue;
        }
        if (IsStatementKeyword(token) && !Continues(current.Tokens, token, depth)) finish(token.Offset);
        if (token.Kind == TTokenKind::Symbol && token.Value == "(") ++depth;
        if (token.Kind == TTokenKind::Symbol && token.Value == ")" && depth > 0) --depth;
        current.Tokens.push_back(token);
    }
    finish(batch.size());
    return statements;
}

} // namespace tarnwick::sql::sim
