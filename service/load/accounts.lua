-- Concurrent account updates: magic-card reports and chapter changes for
-- eight learners, from every connection at once.
local counter = 0
local id = 0
local threads = {}

setup = function(thread)
  thread:set("id", #threads)
  table.insert(threads, thread)
end

request = function()
  counter = counter + 1
  local uid = 1 + (counter % 8)
  local value = id * 1000000 + counter
  if counter % 2 == 0 then
    return wrk.format("GET", string.format(
      "/v2/vtuser.php?uid=%d&ppt=%d&mofa=%d,%d,0,0,0,0,0,0,0,0,&rand=%d", uid, uid, value, value, counter))
  end
  return wrk.format("GET", string.format(
    "/v2/vtuser.php?uid=%d&ppt=%d&chapter=%d&chdays=%d,0,0,0,0,0,&ch_day=0&rand=%d",
    uid, uid, counter % 6, value, counter))
end

response = function(status, headers, body)
  if status ~= 200 or not string.find(body, "[mofa]", 1, true) then
    print("bad account reply: " .. status)
  end
end
