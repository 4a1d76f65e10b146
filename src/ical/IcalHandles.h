#pragma once

#include <libical/ical.h>
#include <memory>

namespace kb::ical {

// Every libical handle the calendar exchange holds is owned by one of these, so no path
// through an exception leaks a component, an iterator or a string libical allocated.
struct ComponentFree {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
struct IteratorFree {
    void operator()(icalrecur_iterator *i) const { icalrecur_iterator_free(i); }
};
struct BufferFree {
    void operator()(char *text) const { icalmemory_free_buffer(text); }
};

using Component = std::unique_ptr<icalcomponent, ComponentFree>;
using RecurIterator = std::unique_ptr<icalrecur_iterator, IteratorFree>;
using Buffer = std::unique_ptr<char, BufferFree>;

} // namespace kb::ical
