#pragma once

#include <QByteArray>
#include <QMutex>
#include <QStringList>

#include <future>
#include <thread>

// A scripted FTP server on 127.0.0.1, running on a thread of its own, for
// the faults real servers do not make on request. The script is a list of
// steps run in order:
//   "<TEXT"      send a reply; "|" separates its lines, each ends in CR LF
//   "<<TEXT"     send TEXT as it is (no CR LF)
//   ">VERB"      read one command line, which must start with VERB
//   "PASV A,B,C,D"  read PASV, open a data port and announce it with this
//                address
//   "PORT"       read PORT, answer 200 and keep the client's port
//   "ACTIVE:TEXT"  active mode: a stranger (127.0.0.2) connects to that port
//                and sends a listing line, then the server connects, sends
//                TEXT and closes
//   "DATA:TEXT"  accept the data connection, send TEXT, close it
//   "DATA*N"     the same with N bytes of a pattern
//   "CUT*N"      accept, send N bytes, then drop data and control connections
//   "RECV"       accept and read the data connection until the client closes it
//   "TRICKLE"    accept and send a little every few milliseconds until the
//                client closes the data connection
//   "DATA~TEXT"  accept and send TEXT over and over until the client closes
//   "FLOOD:MS:TEXT"  send TEXT ("|" for CR LF) over and over, every MS
//                milliseconds, until the client closes the control connection
//   "HANG"       answer nothing until the client goes away
//   "DROP"       close the control connection
//   "ACCEPT"     close the control connection and take the client's next one
// After the last step the control connection is closed.
class FakeFtpServer {
public:
    explicit FakeFtpServer(const QStringList& script);
    ~FakeFtpServer();

    int Port() const { return m_port; }
    // The command lines received so far (without CR LF).
    QStringList Commands() const;
    // What a RECV step received.
    QByteArray Received() const;
    // A step that did not go as scripted, or empty.
    QString Problem() const;
    // The bytes a "DATA*N" or "CUT*N" step sends.
    static QByteArray Pattern(int size);

private:
    void Run(std::promise<int>& port);

    QStringList m_script;
    int m_port = 0;
    std::thread m_thread;
    mutable QMutex m_mutex;
    QStringList m_commands;
    QByteArray m_received;
    QString m_problem;
};
