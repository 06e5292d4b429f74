-- wrk script of bench/service-load.sh: the four controls in turn, fresh data on every request,
-- each wrk thread stopping after its share of QV_REQUESTS.
local kinds = {
  "/v1/barcode1d.png?type=EAN13&data=59012341%04d",
  "/v1/barcode1d.svg?type=CODE128&data=PARCEL-%06d",
  "/v1/datamatrix.png?scale=2&data=Order%%20%d%%20from%%20Quorvantix",
  "/v1/pdf417.png?data=Invoice%%20%d%%3A%%20the%%20quick%%20brown%%20fox%%20jumps%%20over%%20the%%20lazy%%20dog",
  "/v1/maxicode.png?data=Parcel%%20%d%%20under%%20load",
}
local threads = {}

function setup(thread)
  table.insert(threads, thread)
  thread:set("id", #threads)
  thread:set("count", #threads)
end

function init(args)
  limit = math.ceil(tonumber(os.getenv("QV_REQUESTS")) / tonumber(os.getenv("QV_THREADS")))
  sent, answered, bad = 0, 0, 0
end

function request()
  sent = sent + 1
  local n = sent * 16 + id
  return wrk.format("GET", string.format(kinds[n % #kinds + 1], n % 10000))
end

function response(status, headers, body)
  answered = answered + 1
  if status ~= 200 then bad = bad + 1 end
  if answered >= limit then wrk.thread:stop() end
end

function done(summary, latency, requests)
  local answered_all, bad_all = 0, 0
  for _, t in ipairs(threads) do
    answered_all = answered_all + t:get("answered")
    bad_all = bad_all + t:get("bad")
  end
  local e = summary.errors
  io.write(string.format("answered %d\nnot_200 %d\nsocket_errors %d\np50_us %d\np99_us %d\nseconds %.3f\n",
    answered_all, bad_all, e.connect + e.read + e.write + e.timeout,
    latency:percentile(50), latency:percentile(99), summary.duration / 1e6))
end
