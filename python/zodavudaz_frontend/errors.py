"""JSON errors: every refused request is answered with {"error": text} and its status, and nothing
is written or changed."""

from __future__ import annotations

import json
from collections.abc import Awaitable, Callable

from aiohttp import web

import zodavudaz

from .library import Unknown

Handler = Callable[[web.Request], Awaitable[web.StreamResponse]]


class ApiError(web.HTTPException):
    """A refused request: status and the reason the page shows."""

    def __init__(self, status: int, text: str) -> None:
        self.status_code = status
        super().__init__(text=json.dumps({"error": text}), content_type="application/json")


def bad_request(text: str) -> ApiError:
    return ApiError(400, text)


def _library_error(error: zodavudaz.ZdzError) -> ApiError:
    """A library error as the status that tells the page what to do: busy settings files are
    worth a retry (503), an unknown module is gone (404), anything else is the module's refusal."""
    if isinstance(error, zodavudaz.ZdzBusy):
        return ApiError(503, f"the library is busy: {error}")
    if isinstance(error, (zodavudaz.ZdzUnknown, zodavudaz.ZdzNotFound)):
        return ApiError(404, str(error))
    return ApiError(502, f"the module refused: {error}")


@web.middleware
async def json_errors(request: web.Request, handler: Handler) -> web.StreamResponse:
    """Turns the server's own refusals (a body over the limit, an unknown path, a wrong method) and
    the library's errors into JSON errors."""
    try:
        return await handler(request)
    except ApiError:
        raise
    except web.HTTPException as error:
        if error.status_code < 400:
            raise
        raise ApiError(error.status_code, error.reason) from None
    except Unknown as error:
        raise ApiError(404, str(error)) from None
    except zodavudaz.ZdzError as error:
        raise _library_error(error) from None
    except Exception as error:  # the page gets JSON even from a fault of the server's own
        raise ApiError(500, f"the server failed: {error!r}") from error
