#pragma once

#include <cstdint>

namespace quib {

// The engine's listener: one callback per event, each doing nothing by
// default. Events fire synchronously on the caller's thread from inside the
// member that was called; a handler may call back into the engine (but must
// not edit rows or columns from CheckCompatibility).
//
// Every Before event and CheckCompatibility receive Cancel set to 0; leaving
// any non-zero value in it refuses the operation, which then returns false
// and fires no After event.
class QuibEvents {
  public:
    virtual ~QuibEvents() = default;

    virtual void OnRefreshData() {}
    virtual void AfterOpen() {}
    virtual void AfterSave() {}
    virtual void AfterClose() {}
    virtual void AfterMove() {}
    virtual void AfterNewRow() {}
    virtual void AfterDeleteRow() {}
    virtual void AfterNewCol() {}
    virtual void AfterDeleteCol() {}
    virtual void AfterNewHeader() {}
    virtual void AfterDeleteHeader() {}
    virtual void AfterNewHeaderText() {}
    virtual void AfterDeleteHeaderText() {}
    virtual void AfterSetData() {}
    virtual void AfterSetHeaderText() {}
    virtual void AfterSetHeaderName() {}
    virtual void AfterCreate() {}
    virtual void OnSaveRow() {}
    virtual void BeforeOpen(int16_t& /*Cancel*/) {}
    virtual void BeforeClose(int16_t& /*Cancel*/) {}
    virtual void BeforeCreate(int16_t& /*Cancel*/) {}
    virtual void BeforeDeleteCol(int16_t& /*Cancel*/) {}
    virtual void BeforeDeleteHeader(int16_t& /*Cancel*/) {}
    virtual void BeforeDeleteHeaderText(int16_t& /*Cancel*/) {}
    virtual void BeforeDeleteRow(int16_t& /*Cancel*/) {}
    virtual void BeforeMove(int16_t& /*Cancel*/) {}
    virtual void BeforeNewCol(int16_t& /*Cancel*/) {}
    virtual void BeforeNewHeader(int16_t& /*Cancel*/) {}
    virtual void BeforeNewHeaderText(int16_t& /*Cancel*/) {}
    virtual void BeforeNewRow(int16_t& /*Cancel*/) {}
    virtual void BeforeSave(int16_t& /*Cancel*/) {}
    virtual void BeforeSetData(int16_t& /*Cancel*/) {}
    virtual void BeforeSetHeaderName(int16_t& /*Cancel*/) {}
    virtual void BeforeSetHeaderText(int16_t& /*Cancel*/) {}
    virtual void CheckCompatibility(int16_t& /*Cancel*/) {}
    virtual void AfterDeleteFilter() {}
    virtual void AfterNewFilter() {}
    virtual void AfterSetFilterData() {}
    virtual void BeforeDeleteFilter(int16_t& /*Cancel*/) {}
    virtual void BeforeNewFilter(int16_t& /*Cancel*/) {}
    virtual void BeforeSetFilterData(int16_t& /*Cancel*/) {}
    virtual void BeforeSetSortData(int16_t& /*Cancel*/) {}
    virtual void AfterSetSortData() {}
};

}  // namespace quib
