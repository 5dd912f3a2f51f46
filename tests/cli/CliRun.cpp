#include "CliRun.h"

#include "ChildProcess.h"

CliRun RunCli(const std::vector<std::string>& args)
{
    return RunProgram(CLI_PROGRAM, args);
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
