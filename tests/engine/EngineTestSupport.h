#pragma once

// Shared helpers of the engine tests: temporary folders, raw file bytes, the
// file format's encodings, and a listener that records (and can cancel)
// events.

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "quib/QuibCtrl.h"

namespace quibtest {

using Bytes = std::vector<uint8_t>;

// A fresh folder under the system's temporary folder, removed with its
// contents on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// The names in a folder, sorted: to see that no temporary file stayed.
std::vector<std::string> Listing(const std::filesystem::path& dir);

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

// The file format's integer: a length byte, then big-endian value bytes.
Bytes EncInt(uint32_t value);
// The file format's text: integer length, bytes, a 00 terminator.
Bytes EncText(const std::string& text);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Raw(const std::string& text);

// The start of a database file: signature, the two version texts and the
// three counts.
Bytes FileStart(uint32_t headers, uint32_t rows, uint32_t cols, const std::string& required = "0.1",
                const std::string& writer = "0.1");
Bytes HeaderRecord(const std::string& name, const std::vector<std::string>& texts);
Bytes RowRecord(const std::vector<std::string>& cells);

// Records every event by name in firing order; cancels the Before events
// (and CheckCompatibility) named in cancel.
class RecordingListener : public quib::QuibEvents {
  public:
    std::vector<std::string> events;
    std::set<std::string> cancel;

    void clear() { events.clear(); }

    void OnRefreshData() override { events.push_back("OnRefreshData"); }
    void AfterOpen() override { events.push_back("AfterOpen"); }
    void AfterSave() override { events.push_back("AfterSave"); }
    void AfterClose() override { events.push_back("AfterClose"); }
    void AfterMove() override { events.push_back("AfterMove"); }
    void AfterNewRow() override { events.push_back("AfterNewRow"); }
    void AfterDeleteRow() override { events.push_back("AfterDeleteRow"); }
    void AfterNewCol() override { events.push_back("AfterNewCol"); }
    void AfterDeleteCol() override { events.push_back("AfterDeleteCol"); }
    void AfterNewHeader() override { events.push_back("AfterNewHeader"); }
    void AfterDeleteHeader() override { events.push_back("AfterDeleteHeader"); }
    void AfterNewHeaderText() override { events.push_back("AfterNewHeaderText"); }
    void AfterDeleteHeaderText() override { events.push_back("AfterDeleteHeaderText"); }
    void AfterSetData() override { events.push_back("AfterSetData"); }
    void AfterSetHeaderText() override { events.push_back("AfterSetHeaderText"); }
    void AfterSetHeaderName() override { events.push_back("AfterSetHeaderName"); }
    void AfterCreate() override { events.push_back("AfterCreate"); }
    void OnSaveRow() override { events.push_back("OnSaveRow"); }
    void AfterDeleteFilter() override { events.push_back("AfterDeleteFilter"); }
    void AfterNewFilter() override { events.push_back("AfterNewFilter"); }
    void AfterSetFilterData() override { events.push_back("AfterSetFilterData"); }
    void AfterSetSortData() override { events.push_back("AfterSetSortData"); }

    void BeforeOpen(int16_t& c) override { Before("BeforeOpen", c); }
    void BeforeClose(int16_t& c) override { Before("BeforeClose", c); }
    void BeforeCreate(int16_t& c) override { Before("BeforeCreate", c); }
    void BeforeDeleteCol(int16_t& c) override { Before("BeforeDeleteCol", c); }
    void BeforeDeleteHeader(int16_t& c) override { Before("BeforeDeleteHeader", c); }
    void BeforeDeleteHeaderText(int16_t& c) override { Before("BeforeDeleteHeaderText", c); }
    void BeforeDeleteRow(int16_t& c) override { Before("BeforeDeleteRow", c); }
    void BeforeMove(int16_t& c) override { Before("BeforeMove", c); }
    void BeforeNewCol(int16_t& c) override { Before("BeforeNewCol", c); }
    void BeforeNewHeader(int16_t& c) override { Before("BeforeNewHeader", c); }
    void BeforeNewHeaderText(int16_t& c) override { Before("BeforeNewHeaderText", c); }
    void BeforeNewRow(int16_t& c) override { Before("BeforeNewRow", c); }
    void BeforeSave(int16_t& c) override { Before("BeforeSave", c); }
    void BeforeSetData(int16_t& c) override { Before("BeforeSetData", c); }
    void BeforeSetHeaderName(int16_t& c) override { Before("BeforeSetHeaderName", c); }
    void BeforeSetHeaderText(int16_t& c) override { Before("BeforeSetHeaderText", c); }
    void CheckCompatibility(int16_t& c) override { Before("CheckCompatibility", c); }
    void BeforeDeleteFilter(int16_t& c) override { Before("BeforeDeleteFilter", c); }
    void BeforeNewFilter(int16_t& c) override { Before("BeforeNewFilter", c); }
    void BeforeSetFilterData(int16_t& c) override { Before("BeforeSetFilterData", c); }
    void BeforeSetSortData(int16_t& c) override { Before("BeforeSetSortData", c); }

    // Cancel values seen on entry to a Before event that were not 0.
    int dirtyCancelSeen = 0;

  private:
    void Before(const char* name, int16_t& c) {
        if (c != 0) {
            ++dirtyCancelSeen;
        }
        events.push_back(name);
        if (cancel.count(name) != 0) {
            c = 1;
        }
    }
};

// A table of rows x cols with cell texts "r<row>c<col>".
void FillTable(quib::CQuibCtrl& q, int rows, int cols);

// Every cell of the table in view order.
std::vector<std::vector<std::string>> Cells(const quib::CQuibCtrl& q);

}  // namespace quibtest
