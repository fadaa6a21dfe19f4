#include "app/commands/status_texts.h"

#include <string>

namespace veyla::app::status {

namespace {

std::string Cause(const Error& error) {
  switch (error.kind) {
    case ErrorKind::NotFound: return "找不到这个文件";
    case ErrorKind::NotRegularFile: return "这不是普通文件";
    case ErrorKind::PermissionDenied: return "没有写入权限";
    case ErrorKind::NoSpace: return "磁盘空间不足";
    case ErrorKind::FileTooLarge: return "文件超出大小限制";
    case ErrorKind::Io: break;
  }
  return "读写出错（" + error.Describe() + "）";
}

}  // namespace

std::string HideFailed(const Error& error) {
  return "Veyla没有藏进去：" + Cause(error) + "，图片未改动";
}

}  // namespace veyla::app::status
