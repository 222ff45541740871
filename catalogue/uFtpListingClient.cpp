#include "catalogue/uFtpListingClient.h"

#include <mutex>

#include <curl/curl.h>

namespace {

// A firmware directory lists a few dozen files; a server sending more than
// this is not the catalogue, and its bytes would only fill the user's disk.
constexpr qint64 kMaxListingBytes = 8 * 1024 * 1024;
// Enough of the server's replies to hold the last line of any sound reply.
constexpr qsizetype kMaxReplyBytes = 4096;

QString LastReplyLine(const QByteArray& replies)
{
    const QList<QByteArray> lines = replies.split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QByteArray line = it->trimmed();
        if (!line.isEmpty())
            return QString::fromUtf8(line.left(512));
    }
    return {};
}

bool HasFailureReply(const QString& line)
{
    return line.size() >= 3 && (line.at(0) == QLatin1Char('4') || line.at(0) == QLatin1Char('5')) &&
           line.at(1).isDigit() && line.at(2).isDigit();
}

} // namespace

void InitCurlGlobally()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

TFtpListingClient::TFtpListingClient(const TFtpAccount& account) : account_(account) {}

TFtpListingClient::~TFtpListingClient()
{
    Quit();
}

void TFtpListingClient::Quit()
{
    if (curl_) {
        curl_easy_cleanup(curl_); // sends QUIT on the open control connection
        curl_ = nullptr;
    }
}

bool TFtpListingClient::OpenFile()
{
    if (file_.isOpen())
        return true;
    if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    localError_ = QStringLiteral("Cannot create %1: %2").arg(file_.fileName(), file_.errorString());
    return false;
}

size_t TFtpListingClient::WriteData(char* data, size_t size, size_t count, void* self)
{
    auto* client = static_cast<TFtpListingClient*>(self);
    const qint64 bytes = qint64(size * count);
    if (!client->OpenFile())
        return 0;
    if (client->written_ + bytes > kMaxListingBytes) {
        client->localError_ = QStringLiteral("The listing is longer than %1 bytes").arg(kMaxListingBytes);
        return 0;
    }
    if (client->file_.write(data, bytes) != bytes) {
        client->localError_ =
            QStringLiteral("Cannot write %1: %2").arg(client->file_.fileName(), client->file_.errorString());
        return 0;
    }
    client->written_ += bytes;
    return size_t(bytes);
}

int TFtpListingClient::Trace(CURL*, int type, char* data, size_t size, void* self)
{
    if (type == CURLINFO_HEADER_IN) {
        QByteArray& replies = static_cast<TFtpListingClient*>(self)->replies_;
        replies.append(data, qsizetype(size));
        if (replies.size() > kMaxReplyBytes)
            replies.remove(0, replies.size() - kMaxReplyBytes);
    }
    return 0;
}

TFtpCompletion TFtpListingClient::List(const QString& localFile)
{
    TFtpCompletion done;
    if (!curl_)
        curl_ = curl_easy_init();
    CURLU* url = curl_url();
    if (!curl_ || !url) {
        curl_url_cleanup(url);
        done.ErrCode = kClientErrorBase + CURLE_OUT_OF_MEMORY;
        done.ErrorMessage = QString::fromUtf8(curl_easy_strerror(CURLE_OUT_OF_MEMORY));
        return done;
    }
    QString host = account_.HostName;
    if (host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('[')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    curl_url_set(url, CURLUPART_SCHEME, "ftp", 0);
    const CURLUcode hostSet = curl_url_set(url, CURLUPART_HOST, host.toUtf8().constData(), 0);
    curl_url_set(url, CURLUPART_PORT, QByteArray::number(account_.Port).constData(), 0);
    curl_url_set(url, CURLUPART_PATH, "/", 0);

    char errorBuffer[CURL_ERROR_SIZE] = {};
    const long timeout = account_.TimeoutSeconds;
    const QByteArray user = account_.UserName.toUtf8();
    const QByteArray password = account_.PassWord.toUtf8();
    curl_easy_setopt(curl_, CURLOPT_CURLU, url);
    curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl_, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(curl_, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(curl_, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl_, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(curl_, CURLOPT_TRANSFERTEXT, 1L);
    curl_easy_setopt(curl_, CURLOPT_DIRLISTONLY, 0L);
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, timeout);
    curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeout);
    curl_easy_setopt(curl_, CURLOPT_ACCEPTTIMEOUT_MS, timeout * 1000L);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, timeout);
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, &TFtpListingClient::WriteData);
    curl_easy_setopt(curl_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl_, CURLOPT_DEBUGFUNCTION, &TFtpListingClient::Trace);
    curl_easy_setopt(curl_, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(curl_, CURLOPT_VERBOSE, 1L); // feeds Trace; nothing is printed

    // Whatever an earlier run left there is not this server's answer.
    QFile::remove(localFile);
    file_.setFileName(localFile);
    localError_.clear();
    replies_.clear();
    written_ = 0;
    CURLcode rc = hostSet == CURLUE_OK ? curl_easy_perform(curl_) : CURLE_URL_MALFORMAT;
    if (rc == CURLE_OK && !OpenFile()) // an empty listing still gives its (empty) file
        rc = CURLE_WRITE_ERROR;
    file_.close();
    curl_easy_setopt(curl_, CURLOPT_CURLU, nullptr);
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, nullptr);
    curl_url_cleanup(url);

    if (rc == CURLE_OK)
        return done;
    Describe(rc, errorBuffer, done);
    if (!IsRequestSuccess(done.ErrCode))
        QFile::remove(localFile); // a broken listing is of no use to anyone
    return done;
}

void TFtpListingClient::Describe(int rc, const char* errorBuffer, TFtpCompletion& done) const
{
    done.TypeRefused = rc == CURLE_FTP_COULDNT_SET_TYPE;
    const QString lastReply = LastReplyLine(replies_);
    long replyCode = 0;
    curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &replyCode);
    if (localError_.isEmpty() && HasFailureReply(lastReply) && replyCode >= 400 && replyCode <= 599) {
        done.ErrCode = int(replyCode);
        done.ErrorMessage = lastReply;
    } else {
        done.ErrCode = kClientErrorBase + rc;
        done.ErrorMessage = !localError_.isEmpty() ? localError_
                            : errorBuffer[0]       ? QString::fromUtf8(errorBuffer)
                                                   : QString::fromUtf8(curl_easy_strerror(CURLcode(rc)));
    }
}
