// A blocking TCP connection read and written in lines: the socket, the received bytes not yet
// returned, and reading, writing and closing. Every call blocks the calling (GUI) thread until
// the platform answers; OnDisconnected runs nested inside whichever call closed the socket.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "transport/line/ByteBuffer.h"
#include "transport/line/NetComponent.h"
#include "transport/line/SocketHandle.h"

class TLineConnection : public TNetComponent {
 public:
  // The longest line ReadLine returns. Bytes that reach this length without a terminator come
  // back as one line as they are (no CR removed), and the next call goes on with the rest, so
  // a peer that never ends a line cannot fill the memory. A line whose terminator arrives
  // within this many bytes is returned as usual.
  static constexpr size_t kMaxLineLength = size_t{1} << 20;

  explicit TLineConnection(TComponent* owner = nullptr);
  ~TLineConnection() override;

  // Calls OnDisconnected with this component when it is set.
  virtual void NotifyDisconnected();
  // Clears the endpoints and the pending input; the peer counts as not closed.
  virtual void ResetState();
  // Drops the socket once the connection has ended; then, with raiseIfClosed, when ignoreBuffer
  // is set or no input is pending, raises the error that ended it (once) or
  // EConnClosedGracefully.
  virtual void CheckClosed(bool raiseIfClosed, bool ignoreBuffer);
  // Whether a socket is allocated. After ReadLine returned the peer's last bytes the socket
  // stays allocated until the next call reports the end. No platform call, no callback, never
  // raises.
  virtual bool IsOpen() const;
  virtual void Close();
  // Releases an allocated socket with its status reports and OnDisconnected; nothing when
  // none is allocated.
  virtual void DropSocket();
  // The first count pending bytes; raises ENotEnoughDataInBuffer when fewer are pending.
  virtual std::string TakeInput(size_t count);
  // Waits up to timeoutMs and receives at most RecvBufferSize bytes: with intoInput at the end
  // of the pending input, otherwise into RecvBlock. The count received: 0 after a time-out,
  // when not open, or after the end of the connection. A failure that ends the connection
  // (TSocketStack::EndsConnection) drops it as the peer's close does; any other raises.
  virtual int ReceiveChunk(bool raiseIfClosed, int32_t timeoutMs, bool intoInput);
  // One line without its terminator (empty: LF, and one CR before it is removed), or "" with
  // LineTimedOut set when no whole line arrived within timeoutMs: the whole call waits at most
  // that long (plus one receive; bytes already here that fill every receive are still taken,
  // up to kMaxLineLength), and bytes of an unfinished line stay pending. When the
  // connection ends with bytes pending, they are returned as the last line and the next call
  // drops the socket and raises; otherwise the call that sees the end does.
  virtual std::string ReadLine(const std::string& terminator, int32_t timeoutMs);
  virtual void RemoveInput(size_t count);
  // Sends the bytes of a non-empty text.
  virtual void WriteText(const std::string& text);
  // Sends text followed by CR LF.
  virtual void WriteLine(const std::string& text);

  // Sends every byte, continuing partial sends. Raises EConnClosedGracefully when no socket
  // is allocated; a failed send raises its socket error, after dropping the socket when the
  // failure ends the connection.
  void SendAll(const char* data, int count);
  size_t InputSize() const { return pending_input_.Size(); }
  const TByteBuffer& PendingInput() const { return pending_input_; }
  const TByteBuffer& RecvBlock() const { return recv_block_; }
  bool LineTimedOut() const { return line_timed_out_; }
  bool PeerClosed() const { return peer_closed_; }
  TSocketHandle& Link() { return link_; }

  int32_t RecvBufferSize() const { return recv_buffer_size_; }
  // Resizes RecvBlock.
  void SetRecvBufferSize(int32_t size);
  int32_t SendBufferSize() const { return send_buffer_size_; }
  void SetSendBufferSize(int32_t size) { send_buffer_size_ = size; }
  bool ASCIIFilter() const { return ascii_filter_; }
  TComponent* Intercept() const { return intercept_; }
  bool InterceptEnabled() const { return intercept_enabled_; }

  TNotifyEvent OnDisconnected;

 private:
  // One wait (null: without limit) and one receive of at most limit bytes, without closing.
  int Receive(const WaitTime* wait, bool intoInput, int32_t limit);

  TSocketHandle link_;
  TByteBuffer pending_input_;
  TByteBuffer recv_block_;
  bool peer_closed_ = false;
  // The code of the failure that ended the connection, until it is raised; 0 for none.
  int end_error_ = 0;
  bool line_timed_out_ = false;
  int32_t recv_buffer_size_ = 32768;
  int32_t send_buffer_size_ = 32768;
  bool ascii_filter_ = false;
  TComponent* intercept_ = nullptr;
  bool intercept_enabled_ = false;
};
