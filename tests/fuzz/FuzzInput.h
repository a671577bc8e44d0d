// Takes typed values off the front of a fuzzer's byte string, so that one input can choose
// several parameters and still leave bytes for the text or files it drives. Running out of
// bytes gives zeros, never an error: every byte string is a valid input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    std::uint8_t Byte() { return at < size ? data[at++] : 0; }
    std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
    // A value in lo..hi (inclusive), spread by one or two bytes.
    int Range(int lo, int hi) {
        unsigned span = static_cast<unsigned>(hi - lo) + 1;
        unsigned raw = span <= 256 ? Byte() : Word();
        return lo + static_cast<int>(raw % span);
    }
    bool Flag() { return Byte() & 1; }
    // Up to `limit` bytes, ended early by a byte 0xFF (which is not part of the text).
    std::string Text(std::size_t limit) {
        std::string text;
        while (at < size && text.size() < limit) {
            std::uint8_t b = data[at++];
            if (b == 0xFF) break;
            text.push_back(static_cast<char>(b));
        }
        return text;
    }
    std::string Rest() {
        std::string rest(reinterpret_cast<const char*>(data + at), size - at);
        at = size;
        return rest;
    }
    bool Empty() const { return at >= size; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

// Stops the run with a message when an invariant of the code under test does not hold; the
// fuzzer reports it as a crash with the input that caused it.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition,  \
                              __FILE__, __LINE__);                                     \
            std::abort();                                                              \
        }                                                                              \
    } while (0)
