// Construction of the scene record.
#include "scene/CZoetraView.h"

#include "timeline/KeyframeStore.h"

#include <cstdlib>
#include <new>

void* CZoetraView::operator new(std::size_t size) {
    // Zero-filled, so fields without an initialiser (the big tables) start at 0.
    if (void* p = std::calloc(1, size)) return p;
    throw std::bad_alloc();
}

void CZoetraView::operator delete(void* p) noexcept {
    std::free(p);
}

CZoetraView::CZoetraView() {
    // The member initialisers gave every block its defaults; key 0 starts from this look.
    captureStartValues(*this);
}
