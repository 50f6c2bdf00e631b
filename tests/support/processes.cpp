// Starting the programs under test and watching them.
#include "tests/support/processes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "tools/xWindows.h"

namespace {

// Sends a standard stream of the child to a new file.
void redirect(int stream, const std::string& path)
{
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file >= 0) {
        dup2(file, stream);
        close(file);
    }
}

} // namespace

std::string programEmulator = OKEL_EMULATOR;

namespace {

bool isScript(const std::string& path)
{
    char start[2] = {};
    std::ifstream(path, std::ios::binary).read(start, 2);
    return start[0] == '#' && start[1] == '!';
}

std::vector<char*> argumentVector(const std::vector<std::string>& words)
{
    std::vector<char*> vector;
    for (const std::string& word : words)
        vector.push_back(const_cast<char*>(word.c_str()));
    vector.push_back(nullptr);
    return vector;
}

} // namespace

ProgramRun startProgram(const std::string& path, const std::string& workDir, const std::vector<std::string>& arguments,
                        const std::vector<std::string>& environment, const std::string& outputFolder)
{
    ProgramRun run;
    const std::string outputs = outputFolder.empty() ? workDir : outputFolder;
    run.outputPath = outputs + "/program-output.txt";
    run.errorPath = outputs + "/program-errors.txt";
    // Built before the fork: the child only execs. The command line as it
    // is, and with the emulator in front.
    std::vector<std::string> command = {path};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<std::string> variables = environment;
    if (!programEmulator.empty() && isScript(path)) {
        command.insert(command.begin(), "/bin/bash");
        variables.push_back("BASH_FUNC_exec%%=() { builtin exec " + programEmulator + " \"$@\"; }");
    }
    std::vector<std::string> emulated = command;
    emulated.insert(emulated.begin(), programEmulator);
    std::vector<char*> argv = argumentVector(command);
    std::vector<char*> emulatedArgv = argumentVector(emulated);
    run.pid = fork();
    if (run.pid == 0) {
        // The program ends with the test, even if the test crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        redirect(STDOUT_FILENO, run.outputPath);
        redirect(STDERR_FILENO, run.errorPath);
        if (chdir(workDir.c_str()) != 0)
            _exit(126);
        for (const std::string& variable : variables) {
            const std::size_t equals = variable.find('=');
            if (equals == std::string::npos)
                unsetenv(variable.c_str());
            else
                setenv(variable.substr(0, equals).c_str(), variable.c_str() + equals + 1, 1);
        }
        execv(argv[0], argv.data());
        if (errno == ENOEXEC && !programEmulator.empty())
            execv(programEmulator.c_str(), emulatedArgv.data());
        _exit(127);
    }
    return run;
}

bool waitForExit(ProgramRun& run, std::chrono::milliseconds timeout, int& status)
{
    if (run.pid <= 0)
        return false;
    int raw = 0;
    const bool ended = waitUntil([&] { return waitpid(run.pid, &raw, WNOHANG) == run.pid; }, timeout);
    if (!ended)
        return false;
    run.pid = -1;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
}

void stopProgram(ProgramRun& run)
{
    if (run.pid <= 0)
        return;
    kill(run.pid, SIGTERM);
    int status = 0;
    if (!waitForExit(run, std::chrono::seconds(5), status)) {
        kill(run.pid, SIGKILL);
        waitpid(run.pid, nullptr, 0);
        run.pid = -1;
    }
}

namespace {

std::string contentsOf(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string outputOf(const ProgramRun& run) { return contentsOf(run.outputPath); }

std::string programOf(pid_t pid)
{
    namespace fs = std::filesystem;
    const std::string process = "/proc/" + std::to_string(pid);
    std::error_code error;
    const fs::path executable = fs::read_symlink(process + "/exe", error);
    if (programEmulator.empty() || executable != fs::weakly_canonical(programEmulator, error))
        return executable.string();
    // The emulator's command line: the emulator, then the program.
    std::ifstream commandLine(process + "/cmdline");
    std::string emulator, program;
    std::getline(commandLine, emulator, '\0');
    std::getline(commandLine, program, '\0');
    return fs::weakly_canonical(program, error).string();
}

std::string errorsOf(const ProgramRun& run) { return contentsOf(run.errorPath); }

void expectEndsAtOnceWithoutDisplay(const std::string& path, const std::string& workDir)
{
    ProgramRun run = startProgram(path, workDir, {"-display", ":99999"});
    int status = 0;
    const bool ended = waitForExit(run, std::chrono::seconds(10), status);
    if (!ended)
        stopProgram(run);
    ASSERT_TRUE(ended) << "the program still runs";
    EXPECT_NE(status, 0);
    EXPECT_NE(errorsOf(run).find("failed to open display ':99999'"), std::string::npos) << errorsOf(run);
    EXPECT_EQ(outputOf(run), "");
}
