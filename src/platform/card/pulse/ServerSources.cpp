#include "platform/card/pulse/ServerSources.h"

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <memory>

namespace {
struct MainloopFree {
    void operator()(pa_mainloop* m) const { pa_mainloop_free(m); }
};
struct ContextUnref {
    void operator()(pa_context* c) const
    {
        pa_context_disconnect(c);
        pa_context_unref(c);
    }
};

struct Listing {
    std::vector<ServerSource> sources;
    bool done = false;
    bool failed = false;
};

// Runs inside pa_mainloop_dispatch, on the caller's thread.
void onSource(pa_context*, const pa_source_info* info, int eol, void* userdata)
{
    auto* listing = static_cast<Listing*>(userdata);
    if (eol < 0) {
        listing->failed = listing->done = true;
        return;
    }
    if (eol > 0) {
        listing->done = true;
        return;
    }
    listing->sources.push_back({info->name ? info->name : "", info->description ? info->description : "",
                                info->monitor_of_sink != PA_INVALID_INDEX});
}
}  // namespace

std::optional<std::vector<ServerSource>> ListServerSources(std::chrono::milliseconds limit, std::string* why)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    auto fail = [why](std::string text) -> std::optional<std::vector<ServerSource>> {
        if (why)
            *why = std::move(text);
        return std::nullopt;
    };
    std::unique_ptr<pa_mainloop, MainloopFree> loop(pa_mainloop_new());
    if (!loop)
        return fail("libpulse could not make its main loop");
    std::unique_ptr<pa_context, ContextUnref> context(pa_context_new(pa_mainloop_get_api(loop.get()), "Mervane"));
    if (!context)
        return fail("libpulse could not make a context");
    if (pa_context_connect(context.get(), nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return fail(pa_strerror(pa_context_errno(context.get())));

    Listing listing;
    bool asked = false;
    std::unique_ptr<pa_operation, void (*)(pa_operation*)> operation(nullptr, pa_operation_unref);
    while (!listing.done) {
        const pa_context_state_t state = pa_context_get_state(context.get());
        if (state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED)
            return fail(pa_strerror(pa_context_errno(context.get())));
        if (state == PA_CONTEXT_READY && !asked) {
            operation.reset(pa_context_get_source_info_list(context.get(), onSource, &listing));
            if (!operation)
                return fail(pa_strerror(pa_context_errno(context.get())));
            asked = true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return fail("the audio server did not answer in time");
        if (pa_mainloop_prepare(loop.get(), int(left.count())) < 0 || pa_mainloop_poll(loop.get()) < 0 ||
            pa_mainloop_dispatch(loop.get()) < 0)
            return fail("libpulse's main loop failed");
    }
    if (listing.failed)
        return fail(pa_strerror(pa_context_errno(context.get())));
    return std::move(listing.sources);
}
