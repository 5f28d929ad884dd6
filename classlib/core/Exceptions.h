#pragma once
// The library's exception classes. Each failure the programs report carries its
// message text; the application object shows that text in a message box.

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
    std::string Message() const { return what(); }
};

// Ends an operation without any message (the application shows nothing).
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

class EStreamError : public Exception { using Exception::Exception; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };

class EConvertError : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };

// zlib failures; the stream wrapper's message is the bare word "error".
class EZlibError : public Exception { using Exception::Exception; };
class ECompressionError : public EZlibError { using EZlibError::EZlibError; };
class EDecompressionError : public EZlibError { using EZlibError::EZlibError; };

class EPropertyError : public Exception { using Exception::Exception; };
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInvalidGraphic : public Exception { using Exception::Exception; };
class EOutOfResources : public Exception { using Exception::Exception; };
class ERegistryException : public Exception { using Exception::Exception; };
class EIniFileException : public Exception { using Exception::Exception; };
class EOSError : public Exception { using Exception::Exception; };
