#include "panels/LayerEntries.h"

#include "model/ModelDbLibrary.h"
#include "panels/RangeChoices.h"

std::vector<LayerEntry> ReadLayerEntries() {
    std::vector<LayerEntry> entries;
    if (!ModelBound()) return entries;
    for (int sequence = 1;; ++sequence) {
        const LayerCode code = Db().sp_lslay(sequence);
        if (code == 0) break;
        if (code < 0) continue;
        const int32_t nameCode = Db().sp_cpnam(code);
        std::string text = LayerLabel(nameCode);
        if (!text.empty()) entries.push_back({std::move(text), code, nameCode});
    }
    return entries;
}

int32_t FindLayerNameCode(const std::string& text) {
    if (text.empty() || !ModelBound()) return 0;
    const size_t separator = text.find(" - ");
    if (separator == std::string::npos) {
        const int storey = Db().DB_Usfind(1, text.c_str());
        return storey > 0 ? storey : 0;
    }
    const std::string left = text.substr(0, separator), right = text.substr(separator + 3);
    const int storey = separator == 0 ? 1 : Db().DB_Usfind(1, left.c_str());
    const int sub = Db().DB_Usfind(3, right.c_str());
    if (storey < 1 || sub < 1) return 0;
    return MakeLayerCode(storey, sub);
}
