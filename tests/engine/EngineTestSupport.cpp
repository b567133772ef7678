#include "EngineTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace quibtest {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path p = fs::temp_directory_path() / ("quibtest-" + std::to_string(rd()));
        if (fs::create_directory(p)) {
            path_ = p;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::vector<std::string> Listing(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

Bytes EncInt(uint32_t value) {
    Bytes digits;
    do {
        digits.insert(digits.begin(), static_cast<uint8_t>(value & 0xFF));
        value >>= 8;
    } while (value != 0);
    digits.insert(digits.begin(), static_cast<uint8_t>(digits.size()));
    return digits;
}

Bytes Raw(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes EncText(const std::string& text) {
    Bytes b = EncInt(static_cast<uint32_t>(text.size()));
    b.insert(b.end(), text.begin(), text.end());
    b.push_back(0);
    return b;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

Bytes FileStart(uint32_t headers, uint32_t rows, uint32_t cols, const std::string& required,
                const std::string& writer) {
    return Concat({Raw("Quib"), EncText(writer), EncText(required), EncInt(headers), EncInt(rows),
                   EncInt(cols)});
}

Bytes HeaderRecord(const std::string& name, const std::vector<std::string>& texts) {
    std::string count = std::to_string(texts.size());
    uint32_t length = static_cast<uint32_t>(count.size() + name.size());
    for (const auto& t : texts) {
        length += static_cast<uint32_t>(t.size());
    }
    Bytes b = Concat({EncInt(length), EncInt(static_cast<uint32_t>(texts.size())), EncText(name)});
    for (const auto& t : texts) {
        Bytes e = EncText(t);
        b.insert(b.end(), e.begin(), e.end());
    }
    return b;
}

Bytes RowRecord(const std::vector<std::string>& cells) {
    uint32_t length = 0;
    for (const auto& c : cells) {
        length += static_cast<uint32_t>(c.size());
    }
    Bytes b = EncInt(length);
    for (const auto& c : cells) {
        Bytes e = EncText(c);
        b.insert(b.end(), e.begin(), e.end());
    }
    return b;
}

void FillTable(quib::CQuibCtrl& q, int rows, int cols) {
    for (int c = 0; c < cols; ++c) {
        q.NewCol(q.ColsCount());
    }
    for (int r = 0; r < rows; ++r) {
        q.NewRow(q.RowsCount());
        for (int c = 0; c < cols; ++c) {
            q.SetData(r, c, "r" + std::to_string(r) + "c" + std::to_string(c));
        }
    }
}

std::vector<std::vector<std::string>> Cells(const quib::CQuibCtrl& q) {
    std::vector<std::vector<std::string>> out;
    for (int r = 0; r < q.RowsCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < q.ColsCount(); ++c) {
            row.push_back(q.GetData(r, c));
        }
        out.push_back(std::move(row));
    }
    return out;
}

}  // namespace quibtest
