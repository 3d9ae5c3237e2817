#include <Tavrix/Core/DataInputString.h>

#include <algorithm>
#include <cstring>

namespace Tavrix::Core {
namespace {

class StringInput : public IDataInput
{
public:
    explicit StringInput(std::string text) : m_text(std::move(text)) {}

    std::size_t Read(void* buffer, std::size_t size) override
    {
        const std::size_t count = std::min(size, m_text.size() - m_position);
        std::memcpy(buffer, m_text.data() + m_position, count);
        m_position += count;
        return count;
    }

    std::size_t GetSize() override { return m_text.size() - m_position; }

private:
    std::string m_text;
    std::size_t m_position = 0;
};

} // namespace

boost::intrusive_ptr<IDataInput> DataInputString::Create(const std::string& text)
{
    return boost::intrusive_ptr<IDataInput>(new Tavrix::RefCounted<StringInput>(text));
}

} // namespace Tavrix::Core
