#include "CliRun.h"

#include "ChildProcess.h"

#include "tests/support/NobodyUser.h"

#include <unistd.h>

CliRun RunCli(const std::vector<std::string>& args)
{
    return RunProgram(CLI_PROGRAM, args);
}

CliRun RunCliAsNobody(const std::vector<std::string>& args)
{
    if (::geteuid() != 0)
        return RunCli(args);
    const std::string nobody = std::to_string(NobodyId);
    std::vector<std::string> asNobody { "--reuid=" + nobody, "--regid=" + nobody, "--clear-groups",
        CLI_PROGRAM };
    asNobody.insert(asNobody.end(), args.begin(), args.end());
    return RunProgram("/usr/bin/setpriv", asNobody);
}

CliRun RunProgram(const std::string& program, const std::vector<std::string>& args)
{
    ChildProcess child(program, args);
    CliRun run;
    if (!child.Started())
        return run;
    while (const auto line = child.ReadLine())
        run.out += *line + "\n";
    run.status = child.Wait();
    run.err = child.ErrorOutput();
    return run;
}
