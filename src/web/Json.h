// The little JSON the page reads from the program: one object of named numbers, truth values,
// UTF-8 texts and lists of them, written in one go.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class JsonObject {
public:
    void Add(const char* name, const std::string& text) { Name(name), Quote(text); }
    void Add(const char* name, const char* text) { Add(name, std::string(text)); }
    void Add(const char* name, int number) { Name(name), out += std::to_string(number); }
    void Add(const char* name, bool truth) { Name(name), out += truth ? "true" : "false"; }
    // A real number with every digit it needs to be read back the same (the program's locale is "C").
    void Add(const char* name, double number) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.17g", number);
        Name(name), out += digits;
    }
    void Add(const char* name, const std::vector<std::string>& texts) {
        Name(name);
        out += '[';
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i) out += ',';
            Quote(texts[i]);
        }
        out += ']';
    }
    void Add(const char* name, const std::vector<int>& numbers) {
        Name(name);
        out += '[';
        for (std::size_t i = 0; i < numbers.size(); ++i) out += (i ? "," : "") + std::to_string(numbers[i]);
        out += ']';
    }
    // A value written by another JsonObject (or "[…]" of them), placed as it stands.
    void AddRaw(const char* name, const std::string& json) { Name(name), out += json; }
    std::string Text() const { return out + '}'; }

private:
    void Name(const char* name) {
        out += out.size() > 1 ? "," : "";
        Quote(name);
        out += ':';
    }
    void Quote(const std::string& text) {
        static const char* hex = "0123456789abcdef";
        out += '"';
        for (unsigned char c : text) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
        out += '"';
    }
    std::string out = "{";
};
