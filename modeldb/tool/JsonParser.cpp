#include "JsonParser.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace teva {

namespace {

class Parser {
public:
    Parser(std::string_view text, JsonError& error, int maxDepth)
        : text_(text), error_(error), maxDepth_(maxDepth) {}

    bool parseDocument(JsonValue& out)
    {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            advance(3);
        skipSpace();
        if (atEnd())
            return fail("empty document: expected a value");
        if (!parseValue(out, 0))
            return false;
        skipSpace();
        if (!atEnd())
            return fail("unexpected text after the value");
        return true;
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }

    void advance(size_t n = 1)
    {
        for (size_t i = 0; i < n && pos_ < text_.size(); ++i) {
            if (text_[pos_] == '\n') {
                ++line_;
                lineStart_ = pos_ + 1;
            }
            ++pos_;
        }
    }

    int column() const { return static_cast<int>(pos_ - lineStart_) + 1; }

    bool fail(const std::string& message)
    {
        error_.line = line_;
        error_.column = column();
        error_.message = message;
        return false;
    }

    void skipSpace()
    {
        while (!atEnd()) {
            char c = peek();
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
                advance();
            else
                break;
        }
    }

    static std::string describe(char c)
    {
        auto u = static_cast<unsigned char>(c);
        char buf[32];
        if (u >= 0x21 && u < 0x7F)
            std::snprintf(buf, sizeof buf, "'%c'", c);
        else
            std::snprintf(buf, sizeof buf, "byte 0x%02X", u);
        return buf;
    }

    bool parseValue(JsonValue& out, int depth)
    {
        const int line = line_;
        const int col = column();
        bool ok = false;
        switch (peek()) {
        case '{': ok = parseObject(out, depth); break;
        case '[': ok = parseArray(out, depth); break;
        case '"': {
            std::string s;
            ok = parseString(s);
            if (ok)
                out = JsonValue::string(std::move(s));
            break;
        }
        case 't': ok = parseLiteral("true", JsonValue::boolean(true), out); break;
        case 'f': ok = parseLiteral("false", JsonValue::boolean(false), out); break;
        case 'n': ok = parseLiteral("null", JsonValue::null(), out); break;
        default:
            if (peek() == '-' || (peek() >= '0' && peek() <= '9'))
                ok = parseNumber(out);
            else
                return fail("unexpected " + describe(peek()) + ": expected a value");
        }
        if (ok)
            out.setPosition(line, col);
        return ok;
    }

    bool parseLiteral(std::string_view word, JsonValue value, JsonValue& out)
    {
        if (text_.substr(pos_, word.size()) != word)
            return fail("unknown word: expected a value");
        advance(word.size());
        out = std::move(value);
        return true;
    }

    bool parseNumber(JsonValue& out)
    {
        const size_t start = pos_;
        auto digits = [&] {
            size_t n = 0;
            while (peek() >= '0' && peek() <= '9') {
                advance();
                ++n;
            }
            return n;
        };
        if (peek() == '-')
            advance();
        if (peek() == '0') {
            advance();
            if (peek() >= '0' && peek() <= '9')
                return fail("a number must not start with 0");
        } else if (digits() == 0) {
            return fail("expected a digit");
        }
        if (peek() == '.') {
            advance();
            if (digits() == 0)
                return fail("expected a digit after the decimal point");
        }
        if (peek() == 'e' || peek() == 'E') {
            advance();
            if (peek() == '+' || peek() == '-')
                advance();
            if (digits() == 0)
                return fail("expected a digit in the exponent");
        }
        // strtod in the "C" locale (the tool never changes it) reads the
        // JSON number grammar exactly; ERANGE with an infinite result is an
        // overflow, with a finite one an underflow towards zero.
        std::string copy(text_.substr(start, pos_ - start));
        errno = 0;
        double value = std::strtod(copy.c_str(), nullptr);
        if (errno == ERANGE && std::isinf(value)) {
            pos_ = start;  // report at the number's first character
            return fail("number " + (copy.size() > 24 ? copy.substr(0, 24) + "..." : copy) +
                        " is too large");
        }
        out = JsonValue::number(value);
        return true;
    }

    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    bool readHex4(unsigned& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            int h = hexValue(peek());
            if (h < 0)
                return fail("expected four hex digits after \\u");
            value = value * 16 + static_cast<unsigned>(h);
            advance();
        }
        return true;
    }

    static void appendUtf8(std::string& s, unsigned cp)
    {
        if (cp < 0x80) {
            s += static_cast<char>(cp);
        } else if (cp < 0x800) {
            s += static_cast<char>(0xC0 | (cp >> 6));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            s += static_cast<char>(0xE0 | (cp >> 12));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            s += static_cast<char>(0xF0 | (cp >> 18));
            s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            s += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    // Copies one UTF-8 encoded character (lead byte at pos_) into s,
    // refusing overlong forms, encoded surrogates and values past U+10FFFF.
    bool copyUtf8Char(std::string& s)
    {
        const auto lead = static_cast<unsigned char>(peek());
        int extra;
        unsigned cp;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            return fail("invalid UTF-8 (" + describe(peek()) + ")");
        }
        if (pos_ + static_cast<size_t>(extra) >= text_.size())
            return fail("invalid UTF-8 (text ends inside a character)");
        for (int i = 1; i <= extra; ++i) {
            const auto b = static_cast<unsigned char>(text_[pos_ + static_cast<size_t>(i)]);
            if ((b & 0xC0) != 0x80)
                return fail("invalid UTF-8 (" + describe(static_cast<char>(b)) + " inside a character)");
            cp = (cp << 6) | (b & 0x3F);
        }
        const unsigned minimum = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return fail("invalid UTF-8 (overlong form, surrogate or value past U+10FFFF)");
        s.append(text_.substr(pos_, static_cast<size_t>(extra) + 1));
        advance(static_cast<size_t>(extra) + 1);
        return true;
    }

    bool parseString(std::string& s)
    {
        advance();  // opening quote
        for (;;) {
            if (atEnd())
                return fail("unterminated string");
            const char c = peek();
            const auto u = static_cast<unsigned char>(c);
            if (c == '"') {
                advance();
                return true;
            }
            if (u < 0x20)
                return fail(c == '\n' ? "unterminated string (line break inside a string)"
                                      : "control character inside a string (" + describe(c) + ")");
            if (c == '\\') {
                advance();
                const char e = peek();
                if (atEnd())
                    return fail("unterminated string");
                switch (e) {
                case '"': s += '"'; advance(); break;
                case '\\': s += '\\'; advance(); break;
                case '/': s += '/'; advance(); break;
                case 'b': s += '\b'; advance(); break;
                case 'f': s += '\f'; advance(); break;
                case 'n': s += '\n'; advance(); break;
                case 'r': s += '\r'; advance(); break;
                case 't': s += '\t'; advance(); break;
                case 'u': {
                    advance();
                    unsigned cp;
                    if (!readHex4(cp))
                        return false;
                    if (cp >= 0xDC00 && cp <= 0xDFFF)
                        return fail("unpaired low surrogate \\u escape");
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        if (peek() != '\\' || pos_ + 1 >= text_.size() || text_[pos_ + 1] != 'u')
                            return fail("high surrogate \\u escape without its low half");
                        advance(2);
                        unsigned low;
                        if (!readHex4(low))
                            return false;
                        if (low < 0xDC00 || low > 0xDFFF)
                            return fail("high surrogate \\u escape without its low half");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    appendUtf8(s, cp);
                    break;
                }
                default:
                    return fail("unknown escape \\" + std::string(1, e));
                }
                continue;
            }
            if (u < 0x80) {
                s += c;
                advance();
            } else if (!copyUtf8Char(s)) {
                return false;
            }
        }
    }

    bool enter(int depth)
    {
        if (depth + 1 > maxDepth_)
            return fail("nesting deeper than " + std::to_string(maxDepth_) + " levels");
        return true;
    }

    bool parseArray(JsonValue& out, int depth)
    {
        if (!enter(depth))
            return false;
        advance();  // [
        out = JsonValue::array();
        skipSpace();
        if (peek() == ']') {
            advance();
            return true;
        }
        for (;;) {
            skipSpace();
            if (atEnd())
                return fail("unterminated array: expected a value");
            JsonValue item;
            if (!parseValue(item, depth + 1))
                return false;
            out.append(std::move(item));
            skipSpace();
            if (peek() == ',') {
                advance();
                skipSpace();
                if (peek() == ']')
                    return fail("trailing comma before ']'");
                continue;
            }
            if (peek() == ']') {
                advance();
                return true;
            }
            return fail(atEnd() ? "unterminated array: expected ',' or ']'"
                                : "unexpected " + describe(peek()) + ": expected ',' or ']'");
        }
    }

    bool parseObject(JsonValue& out, int depth)
    {
        if (!enter(depth))
            return false;
        advance();  // {
        out = JsonValue::object();
        // Members are kept in order in a vector; the set makes the duplicate
        // test linear for objects with many keys.
        std::unordered_set<std::string> keys;
        skipSpace();
        if (peek() == '}') {
            advance();
            return true;
        }
        for (;;) {
            skipSpace();
            if (atEnd())
                return fail("unterminated object: expected a key");
            if (peek() != '"')
                return fail("unexpected " + describe(peek()) + ": expected a key in double quotes");
            const int keyLine = line_;
            const int keyColumn = column();
            std::string key;
            if (!parseString(key))
                return false;
            if (!keys.insert(key).second) {
                error_.line = keyLine;
                error_.column = keyColumn;
                error_.message = "duplicate key \"" + key + "\"";
                return false;
            }
            skipSpace();
            if (peek() != ':')
                return fail(atEnd() ? "unterminated object: expected ':'"
                                    : "unexpected " + describe(peek()) + ": expected ':'");
            advance();
            skipSpace();
            if (atEnd())
                return fail("unterminated object: expected a value");
            JsonValue value;
            if (!parseValue(value, depth + 1))
                return false;
            out.appendMember(std::move(key), std::move(value));
            skipSpace();
            if (peek() == ',') {
                advance();
                skipSpace();
                if (peek() == '}')
                    return fail("trailing comma before '}'");
                continue;
            }
            if (peek() == '}') {
                advance();
                return true;
            }
            return fail(atEnd() ? "unterminated object: expected ',' or '}'"
                                : "unexpected " + describe(peek()) + ": expected ',' or '}'");
        }
    }

    std::string_view text_;
    JsonError& error_;
    int maxDepth_;
    size_t pos_ = 0;
    int line_ = 1;
    size_t lineStart_ = 0;
};

} // namespace

bool parseJson(std::string_view text, JsonValue& out, JsonError& error,
               const JsonParseOptions& options)
{
    error = JsonError{};
    Parser parser(text, error, options.maxDepth);
    JsonValue result;
    if (!parser.parseDocument(result))
        return false;
    out = std::move(result);
    return true;
}

} // namespace teva
