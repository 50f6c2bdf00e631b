// Replays kept inputs through the fuzz target with the ordinary compiler:
// every file of each folder named on the command line goes to
// LLVMFuzzerTestOneInput, which aborts on the first broken rule. A folder
// that is missing or empty fails the run, and so does a run in which no
// input had its pixels compared with stb_image's, so the replay cannot pass
// by reading or comparing nothing.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern std::size_t fuzzInputsCompared;

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        std::size_t files = 0;
        std::size_t comparedBefore = fuzzInputsCompared;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++files;
        }
        std::printf("%s: %zu files replayed, %zu compared with stb_image\n",
                    argv[i],
                    files,
                    fuzzInputsCompared - comparedBefore);
        if (error || files == 0) {
            std::fprintf(stderr, "%s: no files to replay\n", argv[i]);
            return 1;
        }
    }
    if (fuzzInputsCompared == 0) {
        std::fprintf(stderr, "no file had its pixels compared with stb_image's\n");
        return 1;
    }
    return argc > 1 ? 0 : 1;
}
