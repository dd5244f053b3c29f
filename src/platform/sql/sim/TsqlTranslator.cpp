#include "platform/sql/sim/TsqlTranslator.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"

#include <map>

namespace tarnwick::sql::sim {

namespace {

const char* HintWords[] = {
    "NOLOCK",   "READUNCOMMITTED", "ROWLOCK",       "UPDLOCK",        "HOLDLOCK",
    "READPAST", "XLOCK",           "PAGLOCK",       "TABLOCK",        "TABLOCKX",
    "NOWAIT",   "SERIALIZABLE",    "READCOMMITTED", "REPEATABLEREAD", "READCOMMITTEDLOCK"};

bool IsHint(const TToken& token)
{
    if (token.Kind != TTokenKind::Word) return false;
    for (const char* hint : HintWords)
        if (token.Value == hint) return true;
    return false;
}

bool IsSymbol(const TToken& token, std::string_view symbol)
{
    return token.Kind == TTokenKind::Symbol && token.Value == symbol;
}

bool IsIdentifier(const TToken& token)
{
    return token.Kind == TTokenKind::Word || token.Kind == TTokenKind::Name;
}

std::string NameOf(const TToken& token) { return token.Kind == TTokenKind::Name ? token.Value : token.Text; }

std::string StringLiteral(const std::string& value) { return "'" + ReplaceAll(value, "'", "''") + "'"; }

bool IsSystemView(const std::string& name)
{
    return SameText(name, "sysdatabases") || SameText(name, "sysprocesses");
}

// A table hint list "(NOLOCK, ...)" starting at tokens[at]; returns the index after it or
// at when there is none.
std::size_t SkipHintList(const std::vector<TToken>& tokens, std::size_t at)
{
    if (at >= tokens.size() || !IsSymbol(tokens[at], "(")) return at;
    std::size_t i = at + 1;
    bool any = false;
    while (i < tokens.size() && (IsHint(tokens[i]) || IsSymbol(tokens[i], ","))) {
        any = any || IsHint(tokens[i]);
        ++i;
    }
    if (!any || i >= tokens.size() || !IsSymbol(tokens[i], ")")) return at;
    return i + 1;
}

bool IsClauseEnd(const TToken& token)
{
    return IsWord(token, "FROM") || IsWord(token, "INTO") || IsWord(token, "WHERE") ||
           IsWord(token, "UNION") || IsWord(token, "ORDER") || IsWord(token, "GROUP") ||
           IsWord(token, "HAVING") || IsWord(token, "EXCEPT") || IsWord(token, "INTERSECT");
}

// The column name SQL Server gives a select-list item without an alias: the column's name
// as written for a column, no name at all for an expression. Keyed by the item's last token.
std::map<std::size_t, std::string> ColumnAliases(const std::vector<TToken>& tokens)
{
    std::map<std::size_t, std::string> aliases;
    if (tokens.empty() || !IsWord(tokens[0], "SELECT")) return aliases;
    std::size_t i = 1;
    if (i < tokens.size() && (IsWord(tokens[i], "DISTINCT") || IsWord(tokens[i], "ALL"))) ++i;
    if (i < tokens.size() && IsWord(tokens[i], "TOP"))
        i += i + 1 < tokens.size() && IsSymbol(tokens[i + 1], "(") ? 4 : 2;
    std::size_t start = i;
    auto finish = [&](std::size_t end) {
        if (end <= start || end > tokens.size()) return;
        int depth = 0;
        for (std::size_t t = start; t < end; ++t) {
            if (IsSymbol(tokens[t], "(")) ++depth;
            if (IsSymbol(tokens[t], ")")) --depth;
            if (depth == 0 && IsWord(tokens[t], "AS")) return;
        }
        const TToken& last = tokens[end - 1];
        if (IsSymbol(last, "*")) return;
        bool dotted = IsIdentifier(last);
        for (std::size_t t = start; t < end && dotted; ++t)
            dotted = ((t - start) % 2 == 0) ? IsIdentifier(tokens[t]) : IsSymbol(tokens[t], ".");
        if (dotted) {
            aliases[end - 1] = NameOf(last);
            return;
        }
        if (end - start >= 2 && IsIdentifier(last)) {
            const TToken& before = tokens[end - 2];
            if (IsIdentifier(before) || IsSymbol(before, ")") || before.Kind == TTokenKind::Number ||
                before.Kind == TTokenKind::String)
                return;
        }
        aliases[end - 1] = "";
    };
    int depth = 0;
    for (; i < tokens.size(); ++i) {
        if (IsSymbol(tokens[i], "(")) ++depth;
        if (IsSymbol(tokens[i], ")")) --depth;
        if (depth == 0 && IsClauseEnd(tokens[i])) break;
        if (depth == 0 && IsSymbol(tokens[i], ",")) {
            finish(i);
            start = i + 1;
        }
    }
    finish(i);
    return aliases;
}

class TTranslator {
public:
    TTranslator(const std::vector<TToken>& tokens, const std::string& current)
        : tokens_(tokens), current_(current), aliases_(ColumnAliases(tokens))
    {
    }

    TTranslation Run()
    {
        std::string limit;
        for (std::size_t i = 0; i < tokens_.size();) {
            const std::size_t before = i;
            i = Step(i, limit);
            for (std::size_t t = before; t < i; ++t)
                if (const auto alias = aliases_.find(t); alias != aliases_.end())
                    Emit("AS " + SqliteName(alias->second));
        }
        if (!limit.empty()) Emit("LIMIT " + limit);
        return std::move(result_);
    }

private:
    // Emits the token at i (or the construct starting there); returns the index after it.
    std::size_t Step(std::size_t i, std::string& limit)
    {
        const TToken& token = tokens_[i];
        if (IsWord(token, "SELECT") && depth_ == 0 && limit.empty()) {
            Emit("SELECT");
            ++i;
            if (i < tokens_.size() && (IsWord(tokens_[i], "DISTINCT") || IsWord(tokens_[i], "ALL")))
                Emit(tokens_[i++].Text);
            if (i < tokens_.size() && IsWord(tokens_[i], "TOP")) i = ReadTop(i + 1, limit);
            return i;
        }
        if (IsWord(token, "WITH") || IsSymbol(token, "(")) {
            const std::size_t from = IsWord(token, "WITH") ? i + 1 : i;
            const std::size_t after = SkipHintList(tokens_, from);
            if (after != from) {
                for (std::size_t h = i; h < after; ++h)
                    result_.DirtyRead = result_.DirtyRead || IsWord(tokens_[h], "NOLOCK") ||
                                        IsWord(tokens_[h], "READUNCOMMITTED");
                return after;
            }
        }
        if (IsWord(token, "INSERT") || IsWord(token, "DELETE")) {
            const bool insert = IsWord(token, "INSERT");
            Emit(token.Value);
            if (i + 1 < tokens_.size() && !IsWord(tokens_[i + 1], insert ? "INTO" : "FROM"))
                Emit(insert ? "INTO" : "FROM");
            return i + 1;
        }
        if (IsIdentifier(token)) return ReadName(i);
        return EmitSimple(i);
    }

    void Emit(const std::string& text)
    {
        if (!result_.Sql.empty()) result_.Sql += ' ';
        result_.Sql += text;
    }

    std::size_t ReadTop(std::size_t i, std::string& limit)
    {
        const bool parenthesised = i < tokens_.size() && IsSymbol(tokens_[i], "(");
        if (parenthesised) ++i;
        if (i >= tokens_.size() ||
            (tokens_[i].Kind != TTokenKind::Number && tokens_[i].Kind != TTokenKind::Marker))
            throw EOleException("Incorrect syntax near 'TOP'.");
        limit = tokens_[i].Kind == TTokenKind::Marker ? "?" : tokens_[i].Text;
        if (tokens_[i].Kind == TTokenKind::Marker) ++result_.Markers;
        ++i;
        if (parenthesised && i < tokens_.size() && IsSymbol(tokens_[i], ")")) ++i;
        return i;
    }

    // A name of one to four parts separated by dots (a part may be empty: db..table).
    std::size_t ReadName(std::size_t i)
    {
        std::vector<std::string> parts;
        const bool single =
            IsIdentifier(tokens_[i]) && !(i + 1 < tokens_.size() && IsSymbol(tokens_[i + 1], "."));
        if (single) {
            const TToken& token = tokens_[i];
            result_.UsesSystemViews = result_.UsesSystemViews || IsSystemView(NameOf(token));
            Emit(token.Kind == TTokenKind::Name ? SqliteName(token.Value) : token.Text);
            return i + 1;
        }
        while (i < tokens_.size()) {
            if (IsIdentifier(tokens_[i])) {
                parts.push_back(NameOf(tokens_[i]));
                ++i;
            } else {
                parts.emplace_back();
            }
            if (i < tokens_.size() && IsSymbol(tokens_[i], ".")) {
                ++i;
                if (i < tokens_.size() && IsSymbol(tokens_[i], "*")) {
                    parts.emplace_back("*");
                    ++i;
                    break;
                }
                if (i >= tokens_.size() || !(IsIdentifier(tokens_[i]) || IsSymbol(tokens_[i], "."))) {
                    parts.emplace_back();
                    break;
                }
                continue;
            }
            break;
        }
        EmitName(parts);
        return i;
    }

    void EmitName(const std::vector<std::string>& parts)
    {
        std::vector<std::string> out;
        if (parts.size() >= 3) {
            const std::string& database = parts[0];
            const std::string& object = parts[2];
            if (IsSystemView(object)) {
                result_.UsesSystemViews = true;
                out.push_back(object);
            } else if (database.empty() || SameText(database, current_)) {
                out.push_back(object);
            } else {
                if (IndexOfText(result_.Databases, database) < 0) result_.Databases.push_back(database);
                out.push_back(database);
                out.push_back(object);
            }
            for (std::size_t p = 3; p < parts.size(); ++p) out.push_back(parts[p]);
        } else if (parts.size() == 2 && SameText(parts[0], "dbo")) {
            if (IsSystemView(parts[1])) result_.UsesSystemViews = true;
            out.push_back(parts[1]);
        } else {
            out = parts;
        }
        std::string text;
        for (const auto& part : out) {
            if (!text.empty()) text += '.';
            text += part == "*" ? part : SqliteName(part);
        }
        Emit(text);
    }

    std::size_t EmitSimple(std::size_t i)
    {
        const TToken& token = tokens_[i];
        switch (token.Kind) {
        case TTokenKind::String:
            Emit(StringLiteral(token.Value));
            break;
        case TTokenKind::Binary:
            Emit("X'" + std::string(token.Value.size() % 2, '0') + token.Value + "'");
            break;
        case TTokenKind::Marker:
            ++result_.Markers;
            Emit("?");
            break;
        case TTokenKind::Variable:
            Emit(Variable(token));
            break;
        case TTokenKind::Symbol:
            if (token.Value == "(") ++depth_;
            if (token.Value == ")" && depth_ > 0) --depth_;
            Emit(token.Value);
            break;
        default:
            Emit(token.Text);
            break;
        }
        return i + 1;
    }

    std::string Variable(const TToken& token)
    {
        if (token.Value == "@@IDENTITY") return "last_insert_rowid()";
        if (token.Value == "@@ROWCOUNT") return "changes()";
        if (token.Value == "@@SERVERNAME") return "SERVERPROPERTY('ServerName')";
        if (token.Value == "@@VERSION") return "'Microsoft SQL Server (Tarnwick simulator)'";
        throw EOleException("Must declare the scalar variable \"" + token.Text + "\".");
    }

    const std::vector<TToken>& tokens_;
    const std::string& current_;
    const std::map<std::size_t, std::string> aliases_;
    TTranslation result_;
    int depth_ = 0;
};

} // namespace

std::string SqliteName(const std::string& name) { return "\"" + ReplaceAll(name, "\"", "\"\"") + "\""; }

TTranslation Translate(const std::vector<TToken>& tokens, const std::string& currentDatabase)
{
    return TTranslator(tokens, currentDatabase).Run();
}

} // namespace tarnwick::sql::sim
