// Standalone fuzzing driver for targets written against the libFuzzer entry
// point, for machines without clang: mutated inputs for a bounded time,
// starting over now and then from a seed of the directories given (or from
// nothing), deterministic random numbers.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

const char* const kDictionary[] = {"0", "1",  "-",     "+",     ".",          ",",    ":",
                                   "$", "!",  "\"",    "'",     "e",          "E",    "A1",
                                   "Z", "IV", "65536", "1e308", "9999999999", "\t",   " ",
                                   ";", "*",  "]",     "[",     "NaN",        "\xff", "\x80"};

void Mutate(std::vector<uint8_t>& in, std::mt19937& rng) {
    std::uniform_int_distribution<int> op(0, 5);
    size_t pos = in.empty() ? 0 : rng() % (in.size() + 1);
    switch (op(rng)) {
    case 0:
        in.insert(in.begin() + pos, static_cast<uint8_t>(rng()));
        break;
    case 1:
        if (!in.empty() && pos < in.size()) {
            in.erase(in.begin() + pos);
        }
        break;
    case 2:
        if (!in.empty() && pos < in.size()) {
            in[pos] = static_cast<uint8_t>(rng());
        }
        break;
    case 3: {
        const char* word = kDictionary[rng() % (sizeof kDictionary / sizeof kDictionary[0])];
        in.insert(in.begin() + pos, word, word + std::strlen(word));
        break;
    }
    case 4:
        if (in.size() > 1) {
            in.resize(rng() % in.size());
        }
        break;
    default: {
        size_t n = rng() % 300;
        for (size_t i = 0; i < n; ++i) {
            in.insert(in.begin() + pos, static_cast<uint8_t>('0' + rng() % 10));
        }
        break;
    }
    }
    if (in.size() > 4096) {
        in.resize(4096);
    }
}

std::vector<std::vector<uint8_t>> ReadSeeds(const std::filesystem::path& folder) {
    std::vector<std::vector<uint8_t>> seeds;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::ifstream file(entry.path(), std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    double seconds = 10;
    std::vector<std::vector<uint8_t>> seeds;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else {
            for (auto& seed : ReadSeeds(argv[i])) {
                seeds.push_back(std::move(seed));
            }
        }
    }
    for (const auto& seed : seeds) {
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
    }
    std::mt19937 rng(12345);
    std::vector<uint8_t> input;
    const auto stop = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    unsigned long runs = 0;
    while (std::chrono::steady_clock::now() < stop) {
        for (int i = 0; i < 256; ++i, ++runs) {
            if (rng() % 64 == 0) {
                input = seeds.empty() ? std::vector<uint8_t>() : seeds[rng() % seeds.size()];
            }
            Mutate(input, rng);
            LLVMFuzzerTestOneInput(input.data(), input.size());
        }
    }
    std::printf("%lu inputs, no fault\n", runs);
    return 0;
}
