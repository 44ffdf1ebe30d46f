// Answers to requests of the "vanto" URI scheme the player page uses: a
// file, a text, or "not served"; and the request's own path and body.
#pragma once

#include <string>

typedef struct _WebKitURISchemeRequest WebKitURISchemeRequest;

// The request's path, percent-decoded.
std::string RequestPath(WebKitURISchemeRequest* request);
// The request's body (a POST from the page), whole.
std::string RequestBody(WebKitURISchemeRequest* request);
// "%xx" sequences decoded; empty for none.
std::string Unescape(const char* text);

void FinishNotFound(WebKitURISchemeRequest* request);
void FinishWithText(WebKitURISchemeRequest* request, const std::string& text, const char* type);
// The file at native `path`, with the content type of its name; "not
// served" when it cannot be read.
void FinishWithFile(WebKitURISchemeRequest* request, const std::string& path);
