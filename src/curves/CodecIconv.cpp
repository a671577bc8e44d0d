// The desktop's code page 932: glibc's iconv converters.
#include "curves/Codec.h"

#include <cerrno>
#include <iconv.h>

namespace {

constexpr const char* Replacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// One iconv conversion descriptor per call: the converters are cheap to open and this keeps the
// codec free of shared state.
class Converter {
public:
    Converter(const char* to, const char* from) : handle(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) iconv_close(handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return handle != reinterpret_cast<iconv_t>(-1); }

    // Converts `input`; at every byte the converter refuses, `onBad` appends its replacement and
    // says how many input bytes to skip.
    template <typename OnBad>
    std::string Run(const std::string& input, OnBad onBad) {
        std::string output;
        char buffer[1024];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(handle, &in, &inLeft, &out, &outLeft);
            output.append(buffer, out);
            if (result != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ (a bad sequence) or EINVAL (a sequence cut off by the end of the text).
            iconv(handle, nullptr, nullptr, nullptr, nullptr);
            std::size_t skip = onBad(reinterpret_cast<const unsigned char*>(in), inLeft, output);
            if (skip == 0 || skip > inLeft) skip = 1;
            in += skip;
            inLeft -= skip;
        }
        return output;
    }

private:
    iconv_t handle;
};

}  // namespace

std::string Cp932ToUtf8(const std::string& cp932) {
    Converter converter("UTF-8", "CP932");
    if (!converter.Valid()) return cp932;
    // A refused byte is replaced alone, so a lead byte followed by a bad trail byte costs only the
    // lead byte and the trail byte is read again on its own.
    return converter.Run(cp932, [](const unsigned char*, std::size_t, std::string& output) {
        output += Replacement;
        return std::size_t{1};
    });
}

std::string Utf8ToCp932(const std::string& utf8) {
    Converter converter("CP932", "UTF-8");
    if (!converter.Valid()) return utf8;
    // A character without a CP932 form becomes one "?", however many bytes it takes in UTF-8;
    // a byte that is not UTF-8 at all becomes one "?" too.
    return converter.Run(utf8, [](const unsigned char* at, std::size_t left, std::string& output) {
        output += '?';
        return Utf8SequenceLength(at, left);
    });
}
