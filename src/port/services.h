#pragma once
// Puts every platform service back to its built-in default (tests call it between cases).

namespace port {
void ResetServices();
}
