#include "JsonDocument.h"

#include <iterator>
#include <new>
#include <unordered_set>

namespace teva {

namespace {

// A pointer into the text that records how far the parser has read. The
// parser reads its input one character at a time, so when it reports a
// value the mark stands just past that value's last character (past one
// more for a number, whose end the parser sees only at the next character).
class MarkingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    MarkingIterator(const char* at, const char** mark) : at_(at), mark_(mark) {}

    reference operator*() const { return *at_; }
    MarkingIterator& operator++()
    {
        ++at_;
        *mark_ = at_;
        return *this;
    }
    MarkingIterator operator++(int)
    {
        MarkingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const MarkingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const MarkingIterator& other) const { return at_ != other.at_; }

private:
    const char* at_;
    const char** mark_;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isSeparator(char c)
{
    return isSpace(c) || c == ',' || c == ':';
}

// nlohmann's messages read "[json.exception.parse_error.101] parse error at
// line 6, column 5: syntax error while parsing ..."; the position is told
// separately, so only the cause is kept.
std::string causeOf(const std::string& what)
{
    std::string s = what;
    if (s.rfind("[json.exception.", 0) == 0) {
        if (const auto close = s.find("] "); close != std::string::npos)
            s.erase(0, close + 2);
    }
    if (const auto column = s.find(", column "); column != std::string::npos) {
        if (const auto colon = s.find(": ", column); colon != std::string::npos)
            s.erase(0, colon + 2);
    }
    return s;
}

} // namespace

// Builds the document from the parser's events, as nlohmann's own DOM
// builder does, and records positions and member keys on the way.
class JsonDocumentBuilder {
public:
    JsonDocumentBuilder(std::string_view text, const char* const& mark, JsonDocument& doc)
        : text_(text), mark_(mark), doc_(doc)
    {
        // The parser skips a byte-order mark before the first value.
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            lastEnd_ = cursor_ = lineStart_ = 3;
    }

    bool null() { return value(Json(nullptr)); }
    bool boolean(bool b) { return value(Json(b)); }
    bool number_integer(Json::number_integer_t v) { return number(Json(v)); }
    bool number_unsigned(Json::number_unsigned_t v) { return number(Json(v)); }
    bool number_float(Json::number_float_t v, const Json::string_t&) { return number(Json(v)); }
    bool string(Json::string_t& s) { return value(Json(std::move(s))); }
    bool binary(Json::binary_t&) { return refuse(tokenStart(), "binary data in a JSON text"); }

    bool start_object(std::size_t) { return open(Json::object()); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool end_object()
    {
        keys_.pop_back();
        return close();
    }
    bool end_array() { return close(); }

    bool key(Json::string_t& k)
    {
        const TextPosition at = tokenStart();
        if (!keys_.back().insert(k).second)
            return refuse(at, "duplicate key " + Json(k).dump(-1, ' ', false, Json::error_handler_t::replace));
        // Appended without a look-up: the set above has ruled out a match,
        // and ordered_map's own insert searches its members one by one.
        auto& members = open_.back()->get_ref<Json::object_t&>();
        members.Json::object_t::Container::emplace_back(std::move(k), nullptr);
        member_ = &members.back().second;
        return true;
    }

    bool parse_error(std::size_t, const std::string& lastToken, const nlohmann::detail::exception& ex)
    {
        const std::size_t read = static_cast<std::size_t>(mark_ - text_.data());
        std::size_t at = skip(lastEnd_, false);
        if (!lastToken.empty() && lastToken[0] == '"') {
            // Inside a string: the character that stopped the parser.
            at = read > 0 ? read - 1 : 0;
        } else if (at >= text_.size() || lastToken.empty() || text_[at] != lastToken[0]) {
            // The offending token follows a separator.
            at = skip(lastEnd_, true);
        }
        return refuse(positionAt(at), causeOf(ex.what()));
    }

    bool failed() const { return failed_; }
    const JsonSyntaxError& error() const { return error_; }

private:
    // Where the token just read began: past the end of the one before and
    // the white space and separators that follow it.
    TextPosition tokenStart()
    {
        const std::size_t start = skip(lastEnd_, true);
        lastEnd_ = static_cast<std::size_t>(mark_ - text_.data());
        return positionAt(start);
    }

    // The first offset from `from` on that is not white space (nor a
    // separator, when `separators`).
    std::size_t skip(std::size_t from, bool separators) const
    {
        while (from < text_.size() && (separators ? isSeparator(text_[from]) : isSpace(text_[from])))
            ++from;
        return from;
    }

    TextPosition positionAt(std::size_t offset)
    {
        // Offsets only grow while the text is read, so the line count
        // advances incrementally.
        for (; cursor_ < offset && cursor_ < text_.size(); ++cursor_) {
            if (text_[cursor_] == '\n') {
                ++line_;
                lineStart_ = cursor_ + 1;
            }
        }
        return {line_, static_cast<int>(offset - lineStart_) + 1};
    }

    bool refuse(TextPosition at, std::string message)
    {
        if (!failed_) {
            failed_ = true;
            error_ = {at, std::move(message)};
        }
        return false;
    }

    // Places `v` in the open container (or as the root) and records its
    // position; answers it.
    Json* place(Json&& v, TextPosition at)
    {
        const int depth = static_cast<int>(open_.size());
        Json* slot = nullptr;
        if (open_.empty()) {
            doc_.root_ = std::move(v);
            slot = &doc_.root_;
        } else if (open_.back()->is_array()) {
            auto& items = open_.back()->get_ref<Json::array_t&>();
            items.push_back(std::move(v));
            slot = &items.back();
        } else {
            *member_ = std::move(v);
            slot = member_;
        }
        JsonDocument::Node* node = nullptr;
        if (depth == 0) {
            node = &doc_.positions_;
        } else if (depth <= kJsonPositionDepth) {
            nodes_.back()->children.push_back({});
            node = &nodes_.back()->children.back();
        }
        if (node)
            node->at = at;
        lastNode_ = node;
        return slot;
    }

    bool value(Json&& v)
    {
        place(std::move(v), tokenStart());
        return true;
    }

    // The parser has read one character past a number to find its end;
    // that character may begin the next token.
    bool number(Json&& v)
    {
        place(std::move(v), tokenStart());
        if (lastEnd_ > 0)
            --lastEnd_;
        return true;
    }

    bool open(Json&& container)
    {
        const TextPosition at = tokenStart();
        if (static_cast<int>(open_.size()) >= kMaxJsonDepth)
            return refuse(at, "arrays and objects are nested deeper than " + std::to_string(kMaxJsonDepth) +
                                  " levels");
        const bool isObject = container.is_object();
        Json* slot = place(std::move(container), at);
        // A container's children may move only while none of them is open,
        // so the pointers on the stacks stay valid.
        open_.push_back(slot);
        if (static_cast<int>(open_.size()) <= kJsonPositionDepth)
            nodes_.push_back(lastNode_);
        if (isObject)
            keys_.emplace_back();
        return true;
    }

    bool close()
    {
        if (static_cast<int>(open_.size()) <= kJsonPositionDepth)
            nodes_.pop_back();
        open_.pop_back();
        tokenStart();
        return true;
    }

    std::string_view text_;
    const char* const& mark_;
    JsonDocument& doc_;
    std::vector<Json*> open_;                         // innermost last
    std::vector<JsonDocument::Node*> nodes_;          // of the open containers with positions
    std::vector<std::unordered_set<std::string>> keys_;  // of the open objects
    Json* member_ = nullptr;                          // the slot of the last key
    JsonDocument::Node* lastNode_ = nullptr;
    std::size_t lastEnd_ = 0;
    std::size_t cursor_ = 0;
    std::size_t lineStart_ = 0;
    int line_ = 1;
    bool failed_ = false;
    JsonSyntaxError error_;
};

TextPosition JsonDocument::positionOf(const JsonPath& path) const
{
    const Json* value = &root_;
    const Node* node = &positions_;
    for (const JsonPath::Step& step : path.steps()) {
        std::size_t index = 0;
        if (const auto* i = std::get_if<std::size_t>(&step)) {
            if (!value->is_array() || *i >= value->size())
                break;
            index = *i;
            value = &(*value)[index];
        } else {
            if (!value->is_object())
                break;
            const auto it = value->find(std::get<std::string>(step));
            if (it == value->end())
                break;
            index = static_cast<std::size_t>(std::distance(value->begin(), it));
            value = &*it;
        }
        if (index >= node->children.size())
            break;
        node = &node->children[index];
    }
    return node->at;
}

bool parseJsonDocument(std::string_view text, JsonDocument& out, JsonSyntaxError& error)
{
    out = JsonDocument{};
    error = JsonSyntaxError{};
    if (text.size() > kMaxJsonTextBytes) {
        error.message = "the text is larger than " + std::to_string(kMaxJsonTextBytes >> 20) + " MiB (" +
                        std::to_string(text.size()) + " bytes)";
        return false;
    }
    const char* mark = text.data();
    JsonDocumentBuilder builder(text, mark, out);
    bool ok = false;
    try {
        ok = Json::sax_parse(MarkingIterator(text.data(), &mark),
                             MarkingIterator(text.data() + text.size(), &mark), &builder);
    } catch (const std::bad_alloc&) {
        out = JsonDocument{};
        error.message = "not enough memory to read the text";
        return false;
    }
    if (ok && !builder.failed())
        return true;
    error = builder.failed() ? builder.error() : JsonSyntaxError{{}, "the text could not be read"};
    out = JsonDocument{};
    return false;
}

} // namespace teva
