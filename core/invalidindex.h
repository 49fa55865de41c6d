#pragma once

#include <stdexcept>

/** An index outside a record list: ends the command in progress, caught where commands are
 *  dispatched. */
class InvalidIndexError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};
