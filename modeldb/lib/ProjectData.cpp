#include "ProjectData.h"

namespace teva {

int NameTable::smallestFree() const
{
    // byNumber is ordered: the first gap in 1, 2, 3, ... is the answer.
    int expected = 1;
    for (const auto& entry : byNumber) {
        if (entry.first > expected)
            break;
        if (entry.first == expected)
            ++expected;
    }
    return expected <= 32767 ? expected : 0;
}

void NameTable::insert(int number, const std::string& text)
{
    erase(number);
    byNumber[number] = text;
    byText[text] = number;
}

void NameTable::erase(int number)
{
    const auto it = byNumber.find(number);
    if (it == byNumber.end())
        return;
    byText.erase(it->second);
    byNumber.erase(it);
}

const RecordBytes* ProjectData::find(int kind, const RecordKey& key) const
{
    const auto table = records.find(kind);
    if (table == records.end())
        return nullptr;
    const auto it = table->second.find(key);
    return it == table->second.end() ? nullptr : &it->second;
}

} // namespace teva
