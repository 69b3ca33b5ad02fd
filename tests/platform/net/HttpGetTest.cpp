// The HTTP client of the network helpers against a server the test runs on 127.0.0.1.
#include "platform/net/HttpGet.h"
#include "support/LocalHttpServer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

HttpRequest Request(const std::string& url)
{
    HttpRequest request;
    request.url = url;
    return request;
}

// As the helpers use it: on a worker thread of its own.
HttpReply GetOnWorker(const HttpRequest& request)
{
    HttpReply reply;
    std::thread worker([&] { reply = HttpGet(request); });
    worker.join();
    return reply;
}

} // namespace

TEST(HttpGetTest, FetchesTheBodyAndNamesTheProgram)
{
    LocalHttpServer server([](const HttpTestRequest& request) {
        if (request.target == "/missing") {
            return HttpTestResponse{404, "gone"};
        }
        return HttpTestResponse{200, "body of " + request.target};
    });
    HttpRequest json = Request(server.Url() + "/ws/2/discid/x?fmt=json");
    json.headers = {{"Accept", "application/json"}};
    const HttpReply found = GetOnWorker(json);
    EXPECT_TRUE(found.ok) << found.error;
    EXPECT_EQ(found.status, 200);
    EXPECT_EQ(found.body, "body of /ws/2/discid/x?fmt=json");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Header("User-Agent"), HttpUserAgent());
    EXPECT_EQ(requests[0].Header("accept"), "application/json");

    const HttpReply missing = GetOnWorker(Request(server.Url() + "/missing"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.status, 404);
    EXPECT_NE(missing.error.find("404"), std::string::npos) << missing.error;
}

TEST(HttpGetTest, ASlowRefusingLyingOrCancelledServerEndsInAnError)
{
    LocalHttpServer server([](const HttpTestRequest& request) {
        if (request.target == "/slow") {
            return HttpTestResponse{200, "late", "text/plain", std::chrono::milliseconds(3000)};
        }
        return HttpTestResponse{200, std::string(100000, 'x')};
    });
    HttpRequest slow = Request(server.Url() + "/slow");
    slow.timeout = std::chrono::milliseconds(300);
    const HttpReply late = GetOnWorker(slow);
    EXPECT_FALSE(late.ok);
    EXPECT_EQ(late.error, "timed out");

    HttpRequest large = Request(server.Url() + "/large");
    large.maxBytes = 1000;
    const HttpReply tooLarge = GetOnWorker(large);
    EXPECT_FALSE(tooLarge.ok);
    EXPECT_EQ(tooLarge.error, "reply too large");
    EXPECT_TRUE(tooLarge.body.empty());

    const HttpReply refused = GetOnWorker(Request(RefusingHttpUrl() + "/x"));
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.empty());

    std::atomic<bool> cancel{true};
    HttpRequest cancelled = Request(server.Url() + "/slow");
    cancelled.cancel = &cancel;
    EXPECT_EQ(GetOnWorker(cancelled).error, "cancelled");

    EXPECT_FALSE(GetOnWorker(Request("file:///etc/passwd")).ok);
}

TEST(HttpGetTest, AStalledTricklingCirclingOrEndlessServerEndsInAnError)
{
    LocalHttpServer server([](const HttpTestRequest& request) {
        HttpTestResponse r{200, "body"};
        if (request.target == "/stall") {
            r.stallAfterHeaders = true;
        } else if (request.target == "/trickle") {
            r.body = std::string(1000, 'x');
            r.pausePerByte = std::chrono::milliseconds(20);
        } else if (request.target == "/circle") {
            r = RedirectTo("/circle");
        } else if (request.target == "/endless") {
            r.paddingBytes = std::uint64_t(1) << 40;
        }
        return r;
    });
    const std::string url = server.Url();
    for (const char* path : {"/stall", "/trickle"}) {
        HttpRequest request = Request(url + path);
        request.timeout = std::chrono::milliseconds(500);
        EXPECT_EQ(GetOnWorker(request).error, "timed out") << path;
    }
    const HttpReply circled = GetOnWorker(Request(url + "/circle"));
    EXPECT_FALSE(circled.ok);
    EXPECT_FALSE(circled.error.empty());
    HttpRequest endless = Request(url + "/endless");
    endless.maxBytes = 1u << 20;
    EXPECT_EQ(GetOnWorker(endless).error, "reply too large");
}
