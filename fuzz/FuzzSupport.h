#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A failed property stops the run like a crash would, so that libFuzzer keeps the input.
#define TAVRIX_FUZZ_CHECK(condition)                                                               \
    do {                                                                                           \
        if (!(condition))                                                                          \
            Tavrix::Fuzz::Fail(#condition, __FILE__, __LINE__);                                    \
    } while (false)

namespace Tavrix::Fuzz {

[[noreturn]] void Fail(const char* condition, const char* file, int line);

/// Quiets glog and Qt's messages (TAVRIX_FUZZ_VERBOSE keeps them), and points Qt at the offscreen
/// platform and at its test paths. Call it before making the application object.
void PrepareProcess();

/// An argument count and vector that live as long as the process, for an application object.
int& ArgumentCount();
char** Arguments();

/// PrepareProcess(), then an application object of class `Application` (QCoreApplication or one
/// of its subclasses) that lives as long as the process.
template <class Application>
void StartApplication()
{
    PrepareProcess();
    // Never destroyed: at exit Qt's own statics may already be gone.
    static auto* const application = new Application(ArgumentCount(), Arguments());
    Q_UNUSED(application)
}

/// Splits an input at the lines that hold only "%%" into exactly `count` parts: missing parts are
/// empty, separators beyond the last part stay in it. Keeps hand-written inputs readable.
std::vector<std::string> SplitInput(const std::uint8_t* data, std::size_t size, std::size_t count);

/// A new empty folder for one input; the previous input's folder is removed. All of them lie in
/// a temporary folder removed at exit.
QString FreshFolder();

/// True when Qt lists a key of the INI file that is not in its normal form, as a malformed section
/// line ("[", "[a/]") gives: Qt's lookups miss such a key or find another one, and when Qt writes
/// the file back the key changes its meaning or replaces another key's value.
bool HasKeysOutsideNormalForm(const QString& iniFile);

/// The INI text with Qt's binary values ("@Variant(...)", "@DateTime(...)") made plain text. Qt
/// decodes them with QDataStream, which trusts the lengths it reads: an absurd one makes Qt ask
/// for exabytes and throw std::bad_alloc from inside QSettings, out of the library's reach.
std::string WithoutBinaryValues(std::string ini);

/// Writes `bytes` to `path`, creating the missing folders.
bool WriteFile(const QString& path, const std::string& bytes);
QByteArray ReadFile(const QString& path);

} // namespace Tavrix::Fuzz
