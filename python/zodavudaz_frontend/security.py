"""Who may talk to the server: a per-run token (from the printed URL, then a cookie or an
Authorization header), a Host that names this machine's loopback or the listen address, and the
page's own Origin on every request that changes something."""

from __future__ import annotations

import hmac
import secrets

from aiohttp import web

from .errors import ApiError, Handler

TOKEN_BYTES = 32
LOOPBACK_NAMES = {"localhost", "127.0.0.1", "[::1]"}
CHANGING_METHODS = {"POST", "PUT", "PATCH", "DELETE"}
# dygraphs writes its legend colours as inline styles; scripts stay this server's own.
CONTENT_SECURITY_POLICY = "default-src 'self'; style-src 'self' 'unsafe-inline'; frame-ancestors 'none'"


def host_name(host: str) -> str:
    """A Host header's name without its port: "[::1]:8080" gives "[::1]"."""
    if host.startswith("["):
        return host[: host.find("]") + 1].lower()
    return host.rsplit(":", 1)[0].lower() if host.count(":") == 1 else host.lower()


def listen_name(address: str) -> str:
    return f"[{address.lower()}]" if ":" in address else address.lower()


class Guard:
    """The token and the names this run's server answers to."""

    def __init__(self, listen: str, token: str | None = None) -> None:
        self.token = token or secrets.token_urlsafe(TOKEN_BYTES)
        self.hosts = LOOPBACK_NAMES | {listen_name(listen)}

    @staticmethod
    def cookie_name(request: web.Request) -> str:
        """Named with the port the server listens on, since cookies are not kept apart by port."""
        sockname = request.transport.get_extra_info("sockname") if request.transport else None
        return f"zdz-frontend-{sockname[1] if sockname else 0}"

    def _matches(self, offered: str | None) -> bool:
        return offered is not None and hmac.compare_digest(offered.encode(), self.token.encode())

    def _offered(self, request: web.Request) -> str | None:
        scheme, _, value = request.headers.get("Authorization", "").partition(" ")
        if scheme.lower() == "bearer":
            return value
        return request.cookies.get(self.cookie_name(request))

    def _welcome(self, request: web.Request) -> web.HTTPSeeOther:
        """The printed URL: the token becomes a cookie, and the page is reached without it."""
        if not self._matches(request.query.get("token")):
            raise ApiError(401, "the token in the URL is not this run's")
        response = web.HTTPSeeOther("/")
        response.set_cookie(self.cookie_name(request), self.token, httponly=True, samesite="Strict", path="/")
        return response

    @web.middleware
    async def middleware(self, request: web.Request, handler: Handler) -> web.StreamResponse:
        if host_name(request.host) not in self.hosts:
            raise ApiError(403, "this server answers only to its own host names")
        if request.path == "/" and "token" in request.query:
            raise self._welcome(request)
        if not self._matches(self._offered(request)):
            raise ApiError(401, "open the URL the server printed at its start")
        websocket = request.headers.get("Upgrade", "").lower() == "websocket"
        if (request.method in CHANGING_METHODS or websocket) and \
                request.headers.get("Origin") != f"http://{request.host}":
            raise ApiError(403, "a change must come from the page itself")
        return await handler(request)


async def secure_headers(request: web.Request, response: web.StreamResponse) -> None:
    """Headers on every answer, errors included; no CORS header is ever sent."""
    response.headers["Content-Security-Policy"] = CONTENT_SECURITY_POLICY
    response.headers["X-Content-Type-Options"] = "nosniff"
    response.headers["Referrer-Policy"] = "no-referrer"
    response.headers["Cache-Control"] = "no-store"
