#pragma once

#include <QFile>
#include <QString>

typedef void CURL;

// Prepares libcurl for the whole program. Call on the main thread before any
// thread uses curl; later calls do nothing.
void InitCurlGlobally();

struct TFtpAccount
{
    QString HostName;
    int Port = 21;
    QString UserName;
    QString PassWord;
    int TimeoutSeconds = 15; // a request waiting longer than this for the server is abandoned
};

// How one request ended. ErrCode 0 is success; otherwise the failing reply
// code of the server, or kClientErrorBase plus the curl code when the failure
// was not the server's answer. ErrorMessage is the server's last reply line, or
// the client's own text when the server did not refuse anything.
struct TFtpCompletion
{
    int ErrCode = 0;
    QString ErrorMessage;
    bool TypeRefused = false; // the server would not set the transfer type
};

inline constexpr int kClientErrorBase = 10000;

// Codes up to 200 and 426 (the server closed the data connection after the
// transfer) let the download go on.
inline bool IsRequestSuccess(int errCode)
{
    return errCode <= 200 || errCode == 426;
}

// Fetches an FTP directory listing into a local file with libcurl: login,
// active mode (PORT), ASCII type, LIST of the login directory. The calls block;
// run them off the UI thread, one at a time.
class TFtpListingClient final
{
    Q_DISABLE_COPY_MOVE(TFtpListingClient)
public:
    explicit TFtpListingClient(const TFtpAccount& account);
    ~TFtpListingClient();

    // Writes the listing into localFile, created anew when the data begins;
    // after a failure the file is gone.
    // After a refused type the session stays open: a second call asks for the
    // listing again without setting the type once more.
    TFtpCompletion List(const QString& localFile);

    // Ends the session (QUIT) and frees the connection.
    void Quit();

private:
    bool OpenFile();
    // Fills in how a failed request ended: the server's refusal or the client's own text.
    void Describe(int rc, const char* errorBuffer, TFtpCompletion& done) const;
    static size_t WriteData(char* data, size_t size, size_t count, void* self);
    static int Trace(CURL* handle, int type, char* data, size_t size, void* self);

    TFtpAccount account_;
    CURL* curl_ = nullptr;
    QFile file_;
    QString localError_;
    QByteArray replies_; // the server's replies of the current request, cut to the last few lines
    qint64 written_ = 0;
};
