// The connection point of a control's event interface, and the enumerator of its one point.
// Sinks are kept; no event is ever fired.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <map>

#include "ref_count.h"

namespace qv::activex {

class OleControl;

class EventPoint final : public IConnectionPoint {
  public:
    explicit EventPoint(OleControl& owner) : owner_(owner) {}
    ~EventPoint();
    EventPoint(const EventPoint&) = delete;
    EventPoint& operator=(const EventPoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** e) override;

  private:
    OleControl& owner_;
    std::map<DWORD, IDispatch*> sinks_;
    DWORD nextCookie_ = 1;
};

class PointEnumerator final : public IEnumConnectionPoints {
  public:
    PointEnumerator(IConnectionPoint* point, ULONG position);
    ~PointEnumerator();
    PointEnumerator(const PointEnumerator&) = delete;
    PointEnumerator& operator=(const PointEnumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.add(); }
    ULONG STDMETHODCALLTYPE Release() override { return refs_.release(this); }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** copy) override;

  private:
    IConnectionPoint* point_;
    ULONG position_;
    RefCount refs_;
};

}  // namespace qv::activex
