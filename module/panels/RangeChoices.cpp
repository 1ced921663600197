#include "panels/RangeChoices.h"

#include <cmath>
#include <optional>
#include <utility>

#include "model/LayerCode.h"
#include "model/ModelDbLibrary.h"

namespace {

// DB_Usnam writes at most 64 bytes.
constexpr int kNameBuffer = 128;

bool LibraryBound() {
    const ModelDbEntries& db = Db();
    return db.sp_lslay && db.sp_cpnam && db.sp_cpno && db.DB_Usnam && db.DB_Usfind && db.sp_GetMaxLin &&
           db.sp_GetTwoPntCord && db.sp_wnam;
}

std::string Name(int kind, int32_t number) {
    char buffer[kNameBuffer] = {};
    if (Db().DB_Usnam(kind, static_cast<short>(number), buffer) != 0) return {};
    buffer[kNameBuffer - 1] = '\0';
    return buffer;
}

void Choose(RangeList& list, const std::string& text, int32_t code) {
    list.chosen = text;
    list.code = code;
}

struct AxisLine {
    std::string text;
    int32_t nameCode;
    bool alongX;  // runs along X: a Y axis
    double x1, y1;
};

// An axis box pair: lowest and highest coordinate across the lines of one
// direction.
void ChooseAxes(const std::vector<AxisLine>& lines, bool alongX, const std::string& earlierLow,
                const std::string& earlierHigh, RangeList& low, RangeList& high) {
    for (const AxisLine& line : lines) {
        if (line.alongX != alongX) continue;
        const double mine = alongX ? line.y1 : line.x1;
        bool lowest = true, highest = true;
        for (const AxisLine& other : lines) {
            if (&other == &line || other.alongX != alongX) continue;
            const double theirs = alongX ? other.y1 : other.x1;
            if (theirs < mine) lowest = false;
            if (theirs > mine) highest = false;
        }
        // Later lines win ties: each choice overwrites the one before.
        if (earlierLow.empty() && lowest) Choose(low, line.text, line.nameCode);
        if (earlierHigh.empty() && highest) Choose(high, line.text, line.nameCode);
        if (line.text == earlierLow) Choose(low, line.text, line.nameCode);
        if (line.text == earlierHigh) Choose(high, line.text, line.nameCode);
        low.entries.push_back(line.text);
        high.entries.push_back(line.text);
    }
}

}  // namespace

int RangeBoxKind(RangeBox box) { return (box == RangeBox::Upper || box == RangeBox::Lower) ? 1 : 2; }

std::string LayerLabel(int32_t nameCode) {
    if (!LibraryBound()) return {};
    const std::string storey = Name(1, nameCode & 0x7fff);
    if (nameCode < kSubLayerFactor) return storey;
    const std::string sub = Name(3, nameCode / kSubLayerFactor);
    if (storey.empty() || sub.empty()) return {};
    return storey + " - " + sub;
}

RangeChoices FillRangeChoices(const EarlierSelections& earlier) {
    RangeChoices result;
    if (!LibraryBound()) return result;
    const ModelDbEntries& db = Db();
    const auto earlierOf = [&](RangeBox box) -> const std::string& { return earlier[static_cast<int>(box) - 1]; };

    // Layers, in sequence order; negative entries are registered slopes.
    RangeList& upper = result[RangeBox::Upper];
    RangeList& lower = result[RangeBox::Lower];
    std::optional<std::pair<int32_t, std::string>> fallback, last;
    bool lowerChosen = false;
    for (int n = 1;; ++n) {
        const int32_t c = db.sp_lslay(n);
        if (c == 0) break;
        if (c < 0) continue;
        const int32_t k = db.sp_cpnam(c);
        const std::string text = LayerLabel(k);
        if (text.empty()) continue;
        if (db.sp_cpno(k) == 1) fallback.emplace(k, text);
        if (text == earlierOf(RangeBox::Upper)) Choose(upper, text, k);
        if (text == earlierOf(RangeBox::Lower)) {
            Choose(lower, text, k);
            lowerChosen = true;
        }
        if (earlierOf(RangeBox::Lower).empty() && !lowerChosen) {
            Choose(lower, text, k);
            lowerChosen = true;
        }
        upper.entries.push_back(text);
        lower.entries.push_back(text);
        last.emplace(k, text);
    }
    if (earlierOf(RangeBox::Upper).empty() && last) Choose(upper, last->second, last->first);

    // Axes of the lower layer, or of layer 1 when it has none.
    int32_t p = lowerChosen ? db.sp_cpno(lower.code) : 0;
    int32_t m = lowerChosen ? db.sp_GetMaxLin(p) : -1;
    if (m == -1) {
        if (!fallback) return result;  // no layer to read axes from
        Choose(lower, fallback->second, fallback->first);
        p = db.sp_cpno(fallback->first);
        m = db.sp_GetMaxLin(p);
    }
    std::vector<AxisLine> lines;
    for (int32_t i = 1; i <= m; ++i) {
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (db.sp_GetTwoPntCord(p, i, &x1, &y1, &x2, &y2) < 0) continue;
        const int32_t nameCode = db.sp_wnam(i);
        const std::string text = Name(2, nameCode);
        if (text.empty()) continue;  // an unused axis number
        const double dx = double(x2) - x1, dy = double(y2) - y1;
        const double length = std::hypot(dx, dy);
        const bool alongX = length > 0 && std::fabs(dx / length) >= 0.5;
        lines.push_back({text, nameCode, alongX, x1, y1});
    }
    ChooseAxes(lines, true, earlierOf(RangeBox::YLeft), earlierOf(RangeBox::YRight), result[RangeBox::YLeft],
               result[RangeBox::YRight]);
    ChooseAxes(lines, false, earlierOf(RangeBox::XLeft), earlierOf(RangeBox::XRight), result[RangeBox::XLeft],
               result[RangeBox::XRight]);
    return result;
}

int32_t DecodeLayerText(const std::string& text) {
    if (text.empty() || !LibraryBound()) return 0;
    const ModelDbEntries& db = Db();
    const size_t dash = text.find(" - ");
    if (dash == std::string::npos) {
        const int32_t level = db.DB_Usfind(1, text.c_str());
        return level > 0 ? level : 0;
    }
    const std::string storey = text.substr(0, dash);
    const std::string sub = text.substr(dash + 3);
    const int32_t level = storey.empty() ? 1 : db.DB_Usfind(1, storey.c_str());
    const int32_t subNumber = db.DB_Usfind(3, sub.c_str());
    // A failed lookup (-1) must not turn into a code of another layer.
    if (level < 1 || subNumber < 1) return 0;
    return MakeLayerCode(level, subNumber);
}

int32_t DecodeAxisText(const std::string& text) {
    if (text.empty() || !LibraryBound()) return 0;
    const int32_t code = Db().DB_Usfind(2, text.c_str());
    return code > 0 ? code : 0;
}
