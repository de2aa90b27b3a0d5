#include "platform/wayland_activation.h"

#include <wayland-client.h>

#include <cstring>
#include <memory>

#include "xdg-activation-v1-client-protocol.h"

namespace velunor::platform {

namespace {

struct TDisplayCloser {
  void operator()(wl_display* display) const { wl_display_disconnect(display); }
};

// What the registry and the token tell while the connection is read.
struct TActivationReply {
  xdg_activation_v1* activation = nullptr;
  std::optional<std::string> token;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
  auto* reply = static_cast<TActivationReply*>(data);
  if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0) {
    reply->activation = static_cast<xdg_activation_v1*>(
        wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
  }
}

void OnGlobalRemoved(void*, wl_registry*, std::uint32_t) {}

void OnTokenDone(void* data, xdg_activation_token_v1*, const char* token) {
  static_cast<TActivationReply*>(data)->token = token;
}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemoved};
const xdg_activation_token_v1_listener kTokenListener = {OnTokenDone};

}  // namespace

std::optional<std::string> RequestActivationToken(const std::string& appId) {
  const std::unique_ptr<wl_display, TDisplayCloser> display(wl_display_connect(nullptr));
  if (!display) return std::nullopt;
  TActivationReply reply;
  wl_registry* registry = wl_display_get_registry(display.get());
  wl_registry_add_listener(registry, &kRegistryListener, &reply);
  wl_display_roundtrip(display.get());
  if (reply.activation != nullptr) {
    xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(reply.activation);
    xdg_activation_token_v1_add_listener(token, &kTokenListener, &reply);
    xdg_activation_token_v1_set_app_id(token, appId.c_str());
    xdg_activation_token_v1_commit(token);
    while (!reply.token && wl_display_roundtrip(display.get()) >= 0) {
    }
    xdg_activation_token_v1_destroy(token);
    xdg_activation_v1_destroy(reply.activation);
  }
  wl_registry_destroy(registry);
  return reply.token;
}

}  // namespace velunor::platform
