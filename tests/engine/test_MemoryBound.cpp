// No database file makes the reader take more than 4 times the file's size
// (plus a constant), whatever its shape: each shape is opened in a child
// process whose address space is limited to that.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "EngineTestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
#define QUIB_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUIB_SANITIZED 1
#endif
#endif

using quib::CQuibCtrl;
using namespace quibtest;

namespace {

constexpr std::size_t kFileSize = 16u << 20;
constexpr std::size_t kAllowedMultiple = 4;
// Room for what any open needs besides the file: the engine's own small
// allocations, the allocator's arenas, a thread's stack.
constexpr std::size_t kConstant = 8u << 20;

// A kB figure from /proc/self/status ("VmSize", "VmHWM").
std::size_t StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, key.size(), key) == 0) {
            return std::stoul(line.substr(key.size()));
        }
    }
    return 0;
}

struct Shape {
    const char* name;
    std::function<Bytes()> make;
};

// count records of the given bytes after the start of a file.
Bytes Repeat(Bytes start, const Bytes& record, std::size_t count) {
    start.reserve(start.size() + record.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        start.insert(start.end(), record.begin(), record.end());
    }
    return start;
}

const Bytes kEmptyText = {0x00, 0x00};  // length with no value bytes, terminator

std::vector<Shape> Shapes() {
    const auto n = [](std::size_t recordBytes) {
        return static_cast<uint32_t>((kFileSize - 40) / recordBytes);
    };
    return {
        {"rows without columns", [&] { return Repeat(FileStart(0, n(1), 0), {0x00}, n(1)); }},
        {"many header records",
         [&] {
             return Repeat(FileStart(n(4), 0, 0), {0x00, 0x00, 0x00, 0x00}, n(4));
         }},
        {"one very wide row",
         [&] {
             const uint32_t cols = n(2) - 1;
             return Repeat(Concat({FileStart(0, 1, cols), {0x00}}), kEmptyText, cols);
         }},
        {"one header with very many texts",
         [&] {
             const uint32_t texts = n(2) - 4;
             return Repeat(Concat({FileStart(1, 0, 0), {0x00}, EncInt(texts)}), kEmptyText,
                           texts + 1);
         }},
        {"many one-column rows",
         [&] {
             return Repeat(FileStart(0, n(3), 1), {0x00, 0x00, 0x00}, n(3));
         }},
        {"rows of one-letter cells",
         [&] {
             const Bytes row = {0x00, 1, 1, 'a', 0, 1, 1, 'b', 0, 1, 1, 'c', 0};
             return Repeat(FileStart(0, n(row.size()), 3), row, n(row.size()));
         }},
        {"rows of 20000 columns",
         [&] {
             const Bytes row = Repeat({0x00}, kEmptyText, 20000);
             return Repeat(FileStart(0, n(row.size()), 20000), row, n(row.size()));
         }},
        {"contact rows",
         [&] {
             Bytes row = {0x00};
             for (int c = 0; c < 32; ++c) {
                 const Bytes t = EncText(std::string(static_cast<std::size_t>(c % 11), 'k'));
                 row.insert(row.end(), t.begin(), t.end());
             }
             return Repeat(FileStart(0, n(row.size()), 32), row, n(row.size()));
         }},
    };
}

class MemoryBound : public ::testing::TestWithParam<std::size_t> {};

TEST_P(MemoryBound, OpenStaysWithinFourTimesTheFile) {
#ifdef QUIB_SANITIZED
    GTEST_SKIP() << "the sanitizer reserves address space of its own";
#endif
    const Shape shape = Shapes()[GetParam()];
    SCOPED_TRACE(shape.name);
    TempDir dir;
    const std::string path = dir.file("shape.tbr");
    {
        const Bytes bytes = shape.make();
        WriteBytes(path, bytes);
    }
    const std::size_t size = ReadBytes(path).size();
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::size_t base = StatusKb("VmSize") * 1024;
        const std::size_t limit = base + kAllowedMultiple * size + kConstant;
        rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_AS, &rl);
        // Peak resident memory from here on.
        if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
            std::fputs("5", f);
            std::fclose(f);
        }
        const std::size_t rssBase = StatusKb("VmRSS") * 1024;
        int code = 0;
        try {
            CQuibCtrl q;
            q.SetDatabaseName(path);
            code = q.Open() ? 0 : 1;
        } catch (const quib::QuibError& e) {
            code = e.id() == 10003 ? 3 : 4;
        }
        const double peak =
            static_cast<double>(StatusKb("VmHWM") * 1024 - rssBase) / static_cast<double>(size);
        [[maybe_unused]] const ssize_t w = ::write(pipeFds[1], &peak, sizeof peak);
        ::_exit(code);
    }
    ::close(pipeFds[1]);
    double peak = -1;
    [[maybe_unused]] const ssize_t r = ::read(pipeFds[0], &peak, sizeof peak);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "3 means out of memory within the limit";
    std::printf("%s: %zu bytes, peak resident memory of the open %.2f x the file\n", shape.name,
                size, peak);
    RecordProperty("peak_multiple", std::to_string(peak));
}

INSTANTIATE_TEST_SUITE_P(Shapes, MemoryBound, ::testing::Range<std::size_t>(0, 8));

}  // namespace
