// Without libFuzzer: feeds every file named on the command line, and every prefix of it, to
// the fuzz target, so the seed inputs run as an ordinary test.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char* argv[])
{
    std::size_t inputs = 0;
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "replay: cannot read %s\n", argv[i]);
            return 1;
        }
        const std::vector<std::uint8_t> bytes { std::istreambuf_iterator<char>(file), {} };
        const std::size_t step = bytes.size() / 64 + 1;
        for (std::size_t size = 0; size <= bytes.size(); size += step, ++inputs)
            LLVMFuzzerTestOneInput(bytes.data(), size);
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("replay: %zu inputs\n", inputs);
    return 0;
}
