// Tarnwick: applies the built-in update to the Vexholm Taxation databases.
//   Tarnwick                 against the suite this machine's registry names (SQL Server via ODBC)
//   Tarnwick --demo [folder] against a simulated suite built in folder (made when missing)

#include "app/ProgramStart.h"
#include "gui/QtApplication.h"
#include "platform/core/ScopeGuard.h"
#include "platform/sql/Driver.h"
#include "platform/sql/odbc/OdbcDriver.h"
#include "sandbox/SuiteSandbox.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

std::filesystem::path DefaultDemoFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::filesystem::path base = data && *data   ? std::filesystem::path(data)
                                       : home && *home ? std::filesystem::path(home) / ".local" / "share"
                                                       : std::filesystem::temp_directory_path();
    return base / "tarnwick" / "demo";
}

} // namespace

int main(int argc, char** argv)
{
    using namespace tarnwick;
    TStringList arguments(argv + 1, argv + argc);
    try {
        // The SQL client goes last, after the toolkit, on every way out.
        const ScopeGuard releaseSqlClient([] { sql::SetDriver(nullptr); });
        if (!arguments.empty() && arguments[0] == "--demo") {
            const std::filesystem::path folder =
                arguments.size() > 1 ? std::filesystem::path(arguments[1]) : DefaultDemoFolder();
            sandbox::TSuiteSandbox demo(folder);
            demo.Build();
            std::cout << "Demo suite in " << demo.Folder().string() << " (server " << demo.DataSource()
                      << ")\n";
            arguments.erase(arguments.begin(), arguments.begin() + (arguments.size() > 1 ? 2 : 1));
        } else {
            sql::SetDriver(sql::odbc::MakeOdbcDriver());
        }
        gui::TQtApplication application(argc, argv);
        TProgram program(arguments);
        program.Run();
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "Tarnwick: " << e.what() << '\n';
        return 1;
    }
}
