// The site's requests, responses and routes: what its pages are written against, whatever engine carries
// them over HTTP (site/http_server.h).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace site {

using Params = std::multimap<std::string, std::string>;

// A part of a multipart form: a field or a file.
struct FormPart {
    std::string content;
    std::string filename;
    std::string contentType;
};

struct Request {
    std::string method;
    std::string path;        // decoded, without the query
    std::string remoteAddr;  // the peer's address (a proxy's, behind one)
    std::vector<std::pair<std::string, std::string>> headers;
    Params params;  // the query's arguments, then the fields of a url-encoded body
    std::multimap<std::string, FormPart> files;  // the parts of a multipart body
    bool multipart = false;

    bool HasHeader(std::string_view name) const;
    // The i-th header of that name, or empty.
    std::string Header(std::string_view name, size_t i = 0) const;
    size_t HeaderCount(std::string_view name) const;
    bool HasParam(const std::string& name) const { return params.count(name) > 0; }
    std::string Param(const std::string& name) const;
    bool HasFile(const std::string& name) const { return files.count(name) > 0; }
    FormPart File(const std::string& name) const;
};

// A body that many responses share as it is (the published file), prepared once for the engine.
class PreparedBody {
  public:
    virtual ~PreparedBody() = default;
};

struct Response {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;  // several of one name are kept
    std::string body;
    std::string contentType;
    std::shared_ptr<const PreparedBody> prepared;  // instead of body, headers and type, when set

    void SetHeader(std::string name, std::string value) {
        headers.emplace_back(std::move(name), std::move(value));
    }
    void SetContent(std::string content, std::string type) {
        body = std::move(content);
        contentType = std::move(type);
    }
    void Redirect(std::string location, int code) {
        SetHeader("Location", std::move(location));
        status = code;
    }
    bool HasHeader(std::string_view name) const;
};

using Handler = std::function<void(const Request&, Response&)>;

// Whether a handler may wait (hashing a password, writing the database): such a handler runs on a
// worker of its own, never on a thread that other connections share.
enum class Pace { Quick, Slow };

struct Route {
    Handler handler;
    Pace pace = Pace::Quick;
};

// Which handler serves a method and an exact path.
class Routes {
  public:
    void Get(std::string path, Handler handler, Pace pace = Pace::Quick) {
        add("GET", std::move(path), {std::move(handler), pace});
    }
    void Post(std::string path, Handler handler, Pace pace = Pace::Quick) {
        add("POST", std::move(path), {std::move(handler), pace});
    }
    // The route of method (HEAD as GET) on path; nullptr when there is none.
    const Route* Find(std::string_view method, std::string_view path) const;
    bool Knows(std::string_view path) const;

    // Before any handler and any byte of the body: true refuses the request, res holding the answer.
    std::function<bool(const Request&, Response&)> check;
    // Every answer passes here last (one refused by the engine too): an error status gets its page.
    std::function<void(const Request&, Response&)> finish;

  private:
    void add(std::string method, std::string path, Route route);
    std::map<std::pair<std::string, std::string>, Route, std::less<>> routes_;
};

}  // namespace site
