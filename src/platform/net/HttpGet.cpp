#include "platform/net/HttpGet.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <memory>

std::string HttpUserAgent()
{
    return "Mervane/2.0 ( Linux audio to MP3 converter )";
}

namespace {

// The text of a failed exchange, short enough for a status line.
std::string ReplyError(QNetworkReply& reply, bool timedOut, bool tooLarge, bool cancelled)
{
    if (cancelled) {
        return "cancelled";
    }
    if (timedOut) {
        return "timed out";
    }
    if (tooLarge) {
        return "reply too large";
    }
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0 && (status < 200 || status > 299)) {
        return "HTTP " + std::to_string(status);
    }
    return reply.errorString().toStdString();
}

} // namespace

HttpReply HttpGet(const HttpRequest& request)
{
    HttpReply result;
    if (QCoreApplication::instance() == nullptr) {
        result.error = "no application";
        return result;
    }
    const QUrl url(QString::fromStdString(request.url));
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https")) {
        result.error = "not an http or https address: " + request.url;
        return result;
    }

    // Everything below lives on this thread and dies with this call.
    QNetworkAccessManager manager;
    QNetworkRequest httpRequest(url);
    httpRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
    bool userAgentGiven = false;
    for (const auto& [name, value] : request.headers) {
        httpRequest.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
        userAgentGiven = userAgentGiven || QByteArray::fromStdString(name).toLower() == "user-agent";
    }
    if (!userAgentGiven) {
        httpRequest.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(HttpUserAgent()));
    }

    std::unique_ptr<QNetworkReply> reply(manager.get(httpRequest));
    // Without a bound, Qt's HTTP thread reads a fast endless reply as long as bytes keep
    // coming and only sees the abort afterwards; the manager then waits five seconds for
    // that thread at the end of this call and leaks it when it is still busy.
    reply->setReadBufferSize(64 * 1024);
    QEventLoop loop;
    bool timedOut = false;
    bool tooLarge = false;
    bool cancelled = false;
    QByteArray body;

    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (static_cast<std::size_t>(body.size()) > request.maxBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);

    QTimer deadline;
    deadline.setSingleShot(true);
    // A coarse timer may fire a twentieth early, and a caller's overall deadline would
    // then leave room for a request that has no time.
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    deadline.start(static_cast<int>(request.timeout.count()));

    // The cancel flag belongs to another thread: look at it often enough that a Cancel
    // feels immediate.
    QTimer cancelWatch;
    if (request.cancel != nullptr) {
        QObject::connect(&cancelWatch, &QTimer::timeout, &loop, [&] {
            if (request.cancel->load()) {
                cancelled = true;
                reply->abort();
            }
        });
        cancelWatch.start(50);
    }

    if (!reply->isFinished()) {
        loop.exec();
    }
    deadline.stop();
    cancelWatch.stop();
    if (!tooLarge && reply->isOpen()) {
        body += reply->readAll();
        tooLarge = static_cast<std::size_t>(body.size()) > request.maxBytes;
    }

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.ok = !timedOut && !tooLarge && !cancelled && reply->error() == QNetworkReply::NoError &&
                result.status >= 200 && result.status <= 299;
    if (!tooLarge) {
        result.body = body.toStdString();
    }
    if (!result.ok) {
        result.error = ReplyError(*reply, timedOut, tooLarge, cancelled);
    }
    return result;
}
