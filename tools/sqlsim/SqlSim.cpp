// sqlsim: the simulated SQL Server's shell. Makes a server with the suite's databases,
// runs a T-SQL batch against one as a given login and database and prints every result
// set as CSV, sets a server's state and prints its statement log.

#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"
#include "platform/sql/sim/SimDriver.h"
#include "platform/sql/sim/SimLogins.h"
#include "platform/sql/sim/SimRoot.h"
#include "platform/sql/sim/SimServer.h"
#include "platform/sql/sim/SuiteSchema.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

using namespace tarnwick;
using namespace tarnwick::sql;

namespace {

const char* Usage =
    "usage: sqlsim [--root FOLDER] COMMAND ...\n"
    "  create SERVER [--datasets N]      make a server with master, TaxMaster, TaxReadOnly,\n"
    "                                    TaxSecurities and TaxData1..N (default 1)\n"
    "  run SERVER [--login L] [--password P] [--database D] [FILE | -e SQL]\n"
    "                                    run a batch (from FILE, -e or standard input; default\n"
    "                                    login TaxAdmin, database master) and print each result\n"
    "                                    set as CSV; errors go to standard error, exit code 1\n"
    "  state SERVER running|paused|stopped|silent\n"
    "  log SERVER                        print the statement log\n"
    "The root is --root, else $TARNWICK_SIM_ROOT, else tarnwick-sim in the temporary folder.\n";

// Text for the terminal: the system's Windows-1252 as UTF-8.
std::string Out(const std::string& ansi) { return Utf8FromAnsi(ansi); }

// A batch read from the terminal or a file: UTF-8 when it is valid UTF-8, else Windows-1252.
std::string In(const std::string& text) { return IsValidUtf8(text) ? AnsiFromUtf8(text) : text; }

std::string CsvField(const TValue& value, TDataType type)
{
    std::string text;
    if (IsNull(value)) return {};
    if (type == TDataType::Bytes || std::holds_alternative<TBytes>(value)) {
        const char* digits = "0123456789ABCDEF";
        text = "0x";
        for (auto byte : ValueToBytes(value)) {
            text += digits[byte >> 4];
            text += digits[byte & 15];
        }
        return text;
    }
    text = std::holds_alternative<TSqlDateTime>(value) ? IsoDateTimeText(ValueToDateTime(value))
                                                       : ValueToString(value);
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    return "\"" + ReplaceAll(text, "\"", "\"\"") + "\"";
}

void PrintRows(const TRowSet& rows)
{
    std::string line;
    for (std::size_t c = 0; c < rows.Columns.size(); ++c)
        line += (c ? "," : "") + CsvField(rows.Columns[c].Name, TDataType::Text);
    std::cout << Out(line) << "\n";
    for (const auto& row : rows.Rows) {
        line.clear();
        for (std::size_t c = 0; c < row.size(); ++c)
            line += (c ? "," : "") + CsvField(row[c], rows.Columns[c].Type);
        std::cout << Out(line) << "\n";
    }
}

struct TArguments {
    std::vector<std::string> Positional;
    std::map<std::string, std::string> Options;
};

TArguments Parse(int argc, char** argv)
{
    TArguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.size() > 1 && word[0] == '-' && i + 1 < argc)
            arguments.Options[word] = argv[++i];
        else
            arguments.Positional.push_back(word);
    }
    return arguments;
}

std::string Option(const TArguments& arguments, const std::string& name, const std::string& fallback)
{
    const auto found = arguments.Options.find(name);
    return found == arguments.Options.end() ? fallback : found->second;
}

int Run(const TArguments& arguments)
{
    const std::string server = arguments.Positional[1];
    const std::string login = Option(arguments, "--login", "TaxAdmin");
    const auto known = sim::FindSimLogin(login);
    const std::string password = Option(arguments, "--password", known ? known->Password : "");
    std::string batch;
    if (arguments.Options.count("-e")) {
        batch = arguments.Options.at("-e");
    } else if (arguments.Positional.size() > 2 && arguments.Positional[2] != "-") {
        std::ifstream file(arguments.Positional[2], std::ios::binary);
        if (!file) throw EInOutError("Cannot open " + arguments.Positional[2]);
        batch.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } else {
        batch.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    }
    const TConnectParams params{server, Option(arguments, "--database", "master"), login, password, "sqlsim",
                                15};
    auto session = sim::TSimDriver().ConnectSim(params);
    const sim::TBatchOutcome outcome = session->ExecuteAll(In(batch), {}, 0);
    for (std::size_t i = 0; i < outcome.Sets.size(); ++i) {
        if (i) std::cout << "\n";
        PrintRows(outcome.Sets[i]);
    }
    return 0;
}

int SetState(const std::string& server, const std::string& state)
{
    const std::map<std::string, sim::TServerState> states = {{"running", sim::TServerState::Running},
                                                             {"paused", sim::TServerState::Paused},
                                                             {"stopped", sim::TServerState::Stopped},
                                                             {"silent", sim::TServerState::Silent}};
    const auto found = states.find(LowerCase(state));
    if (found == states.end()) throw EConvertError("Unknown server state '" + state + "'");
    sim::TSimServer simulated(server);
    if (!simulated.Exists())
        throw EInOutError("No simulated server " + server + " in " + sim::SimRoot().string());
    simulated.SetState(found->second);
    return 0;
}

int PrintLog(const std::string& server)
{
    const sim::TSimServer simulated(server);
    if (!simulated.Exists())
        throw EInOutError("No simulated server " + server + " in " + sim::SimRoot().string());
    for (const auto& entry : simulated.Log())
        std::cout << Out(entry.Time + " pid " + IntToStr(entry.ProcessId) + " spid " +
                         IntToStr(entry.SessionId) + " " + entry.Kind + " " + entry.Login + "@" +
                         entry.Database + " [" + entry.Application + "]" +
                         (entry.Text.empty() ? "" : ":\n" + entry.Text))
                  << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const TArguments arguments = Parse(argc, argv);
    if (arguments.Positional.size() < 2) {
        std::cerr << Usage;
        return 2;
    }
    if (arguments.Options.count("--root")) sim::SetSimRoot(arguments.Options.at("--root"));
    const std::string& command = arguments.Positional[0];
    try {
        if (command == "create") {
            sim::CreateSuiteServer(arguments.Positional[1],
                                   static_cast<int>(StrToInt64(Option(arguments, "--datasets", "1"))));
            return 0;
        }
        if (command == "run") return Run(arguments);
        if (command == "state" && arguments.Positional.size() == 3)
            return SetState(arguments.Positional[1], arguments.Positional[2]);
        if (command == "log") return PrintLog(arguments.Positional[1]);
    } catch (const std::exception& error) {
        std::cerr << Out(error.what()) << "\n";
        return 1;
    }
    std::cerr << Usage;
    return 2;
}
