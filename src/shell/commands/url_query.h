// Values inserted into the query of a service request.
#pragma once

#include <string>
#include <string_view>

// Percent-encodes a query value so that it reaches the service as typed:
// every byte other than the unreserved characters (letters, digits, '-',
// '.', '_', '~') and ',' becomes '%' and two upper-case hexadecimal digits.
// That covers the bytes with a meaning in a query ('&', '=', '#', '+', '%',
// '?'), spaces, control bytes and every non-ASCII byte (code page 936
// characters go out as their two bytes). ',' is kept because the number
// lists the host sends ("1,0,2,") carry it and it means nothing inside a
// value, so such values stay byte-identical.
std::string PercentEncode(std::string_view value);
