#include "NIFOLEPropSectionWrapper.h"

NIFExtProperty* NIFOLEPropSectionWrapper::NewProperty(uint32_t id, uint32_t type) {
    NIFPropSection* s = section();
    return (s ? s : set_->NewSection(fmtid_))->NewProperty(id, type);
}

NIFExtProperty* NIFOLEPropSectionWrapper::GetProperty(uint32_t id) const {
    NIFPropSection* s = section();
    return s ? s->GetProperty(id) : nullptr;
}

size_t NIFOLEPropSectionWrapper::GetNumberOfProperties() const {
    const NIFPropSection* s = section();
    return s ? s->GetNumberOfProperties() : 0;
}

uint32_t* NIFOLEPropSectionWrapper::GetPropertyIDTable() const {
    const NIFPropSection* s = section();
    return s ? s->GetPropertyIDTable() : new uint32_t[1];
}

bool NIFOLEPropSectionWrapper::DestroyProperty(uint32_t id) {
    NIFPropSection* s = section();
    return s && s->DestroyProperty(id);
}

void NIFOLEPropSectionWrapper::Release() { delete this; }
