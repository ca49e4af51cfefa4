// Shared by every fuzz target. The targets change the current folder while
// they run (a play works in its project folder), and libFuzzer reads and
// writes the corpus folders and findings it is given relative to whatever
// folder is current then. So before it starts, every path it is given becomes
// absolute, and findings go to the folder it was started in unless a prefix
// says otherwise.
#include <filesystem>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    const std::string here = std::filesystem::current_path().string() + "/";
    bool prefixGiven = false;
    for (int i = 0; i < *argc; ++i) {
        std::string argument = (*argv)[i];
        if (i > 0 && !argument.empty() && argument[0] != '-' && argument[0] != '/') argument = here + argument;
        for (const char* flag : {"-artifact_prefix=", "-exact_artifact_path=", "-dict=", "-features_dir=",
                                 "-merge_control_file=", "-minimize_crash_internal_step="}) {
            const size_t value = std::string(flag).size();
            if (argument.starts_with(flag) && argument.size() > value && argument[value] != '/') {
                argument.insert(value, here);
            }
        }
        prefixGiven = prefixGiven || argument.starts_with("-artifact_prefix=");
        arguments.push_back(argument);
    }
    if (!prefixGiven) arguments.push_back("-artifact_prefix=" + here);
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(arguments.size());
    *argv = pointers.data();
    return 0;
}
