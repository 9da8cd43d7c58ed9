// Construction of the scene record.
#include "scene/CZoetraView.h"

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

// The member initialisers give every block its defaults.
CZoetraView::CZoetraView() = default;
