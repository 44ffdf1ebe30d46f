-- Rotates over files of the content tree, each with a "?rand=" query the
-- service ignores.
local paths = { "list.txt", "Vanto.swf", "ss/0.mp3", "ss/5w.mp3", "pz/3.jpg", "bh/7.swf", "gs0/3.swf" }
local n = 0
request = function()
  n = n + 1
  return wrk.format("GET", "/v2/" .. paths[(n % #paths) + 1] .. "?rand=" .. n)
end
