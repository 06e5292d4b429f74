// The event connection point and the control's IConnectionPointContainer.
#include "event_point.h"

#include <new>

#include "ole_control.h"

namespace qv::activex {

EventPoint::~EventPoint() {
    for (auto& [cookie, sink] : sinks_) sink->Release();
}

HRESULT EventPoint::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint)) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}
// The point lives inside its control; references keep the control alive.
ULONG EventPoint::AddRef() {
    return owner_.identity()->AddRef();
}
ULONG EventPoint::Release() {
    return owner_.identity()->Release();
}

HRESULT EventPoint::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) return E_POINTER;
    *iid = *owner_.oleClass().events;
    return S_OK;
}

HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** c) {
    if (c == nullptr) return E_POINTER;
    *c = static_cast<IConnectionPointContainer*>(&owner_);
    (*c)->AddRef();
    return S_OK;
}

HRESULT EventPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (cookie == nullptr) return E_POINTER;
    *cookie = 0;
    if (sink == nullptr) return E_POINTER;
    IDispatch* events = nullptr;
    // A sink of the event interface itself, or at least a dispatch object.
    if (FAILED(
            sink->QueryInterface(*owner_.oleClass().events, reinterpret_cast<void**>(&events))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&events)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = nextCookie_++;
    sinks_[*cookie] = events;
    return S_OK;
}

HRESULT EventPoint::Unadvise(DWORD cookie) {
    const auto it = sinks_.find(cookie);
    if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
    it->second->Release();
    sinks_.erase(it);
    return S_OK;
}

HRESULT EventPoint::EnumConnections(IEnumConnections** e) {
    if (e != nullptr) *e = nullptr;
    return E_NOTIMPL;
}

PointEnumerator::PointEnumerator(IConnectionPoint* point, ULONG position)
    : point_(point), position_(position) {
    point_->AddRef();
}

PointEnumerator::~PointEnumerator() {
    point_->Release();
}

HRESULT PointEnumerator::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IEnumConnectionPoints)) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IEnumConnectionPoints*>(this);
    AddRef();
    return S_OK;
}

HRESULT PointEnumerator::Next(ULONG count, IConnectionPoint** points, ULONG* fetched) {
    if (points == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG n = 0;
    if (count > 0 && position_ == 0) {
        points[0] = point_;
        point_->AddRef();
        position_ = n = 1;
    }
    if (fetched != nullptr) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

HRESULT PointEnumerator::Skip(ULONG count) {
    if (count == 0) return S_OK;
    const bool skipped = position_ == 0 && count == 1;
    position_ = 1;
    return skipped ? S_OK : S_FALSE;
}

HRESULT PointEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT PointEnumerator::Clone(IEnumConnectionPoints** copy) {
    if (copy == nullptr) return E_POINTER;
    *copy = new (std::nothrow) PointEnumerator(point_, position_);
    return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
}

// IConnectionPointContainer of the control: the one point of its event interface.
HRESULT OleControl::EnumConnectionPoints(IEnumConnectionPoints** e) {
    if (e == nullptr) return E_POINTER;
    *e = new (std::nothrow) PointEnumerator(&events_, 0);
    return *e != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT OleControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (point == nullptr) return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, *oleClass().events)) return CONNECT_E_NOCONNECTION;
    *point = &events_;
    events_.AddRef();
    return S_OK;
}

}  // namespace qv::activex
