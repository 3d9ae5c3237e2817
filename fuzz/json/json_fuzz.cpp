// The JSON property reader on arbitrary text: a theme's description file, or a peer's message.
#include "FuzzSupport.h"

#include <Tavrix/Core/DataInputString.h>
#include <Tavrix/Core/PropertySerializer.h>
#include <Tavrix/RefCount.h>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>

#include <algorithm>
#include <cstring>
#include <sstream>

using boost::property_tree::ptree;
using Tavrix::Core::IDataInput;
using Tavrix::Core::Property;
using Tavrix::Core::PropertySerializer;

namespace {

// Hands its text over a few bytes at a time, as a pipe does.
class TrickleInput : public IDataInput
{
public:
    TrickleInput(std::string text, std::size_t step) : m_text(std::move(text)), m_step(step) {}

    std::size_t Read(void* buffer, std::size_t size) override
    {
        const std::size_t count = std::min({size, m_step, m_text.size() - m_position});
        std::memcpy(buffer, m_text.data() + m_position, count);
        m_position += count;
        return count;
    }
    std::size_t GetSize() override { return m_text.size() - m_position; }

private:
    std::string m_text;
    std::size_t m_step;
    std::size_t m_position = 0;
};

int Depth(const ptree& tree)
{
    int deepest = 0;
    for (const auto& child : tree)
        deepest = std::max(deepest, Depth(child.second));
    return tree.empty() ? 0 : deepest + 1;
}

// What a target with one earlier child holds after reading `input`.
std::pair<bool, ptree> ReadInto(boost::intrusive_ptr<IDataInput> input, bool replace)
{
    Property target("target");
    target.Tree().put("earlier", "kept unless replaced");
    const ptree before = target.Tree();
    const bool ok = PropertySerializer::Deserialize(target, std::move(input), replace);
    if (!ok)
        TAVRIX_FUZZ_CHECK(target.Tree() == before);
    return {ok, target.Tree()};
}

void CheckStringInput(const std::string& text)
{
    const auto input = Tavrix::Core::DataInputString::Create(text);
    TAVRIX_FUZZ_CHECK(input->GetSize() == text.size());
    std::string copy;
    char chunk[7];
    while (const std::size_t got = input->Read(chunk, sizeof chunk))
        copy.append(chunk, got);
    TAVRIX_FUZZ_CHECK(copy == text);
    TAVRIX_FUZZ_CHECK(input->GetSize() == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckStringInput(text);

    const auto [ok, replaced] = ReadInto(Tavrix::Core::DataInputString::Create(text), true);
    // However the bytes arrive, the result is the same.
    const std::size_t step = size % 13 + 1;
    const auto trickled = ReadInto(
        boost::intrusive_ptr<IDataInput>(new Tavrix::RefCounted<TrickleInput>(text, step)), true);
    TAVRIX_FUZZ_CHECK(trickled.first == ok && trickled.second == replaced);

    const auto [appendedOk, appended]
        = ReadInto(Tavrix::Core::DataInputString::Create(text), false);
    TAVRIX_FUZZ_CHECK(appendedOk == ok);
    if (!ok)
        return 0;

    TAVRIX_FUZZ_CHECK(Depth(replaced) <= PropertySerializer::MAX_NESTING);
    // Appending keeps the earlier child first and then adds exactly what replacing gives.
    TAVRIX_FUZZ_CHECK(appended.size() == replaced.size() + 1);
    TAVRIX_FUZZ_CHECK(appended.front().first == "earlier");
    TAVRIX_FUZZ_CHECK(
        std::equal(std::next(appended.begin()), appended.end(), replaced.begin(), replaced.end()));

    // A tree that was read writes out as JSON that reads back the same; only a bare top-level
    // value (a text, a number) has no JSON form as a tree.
    if (!replaced.data().empty())
        return 0;
    std::ostringstream written;
    boost::property_tree::write_json(written, replaced, false);
    const auto [again, reread]
        = ReadInto(Tavrix::Core::DataInputString::Create(written.str()), true);
    TAVRIX_FUZZ_CHECK(again && reread == replaced);
    return 0;
}
